# Warnings and link settings shared by every project target.
add_library(project_flags INTERFACE)
target_compile_options(project_flags INTERFACE -Wall -Wextra -Werror)
target_include_directories(project_flags INTERFACE ${PROJECT_SOURCE_DIR})

if(WIN32)
  # Executables must run under Wine with nothing copied beside them.
  target_link_options(project_flags INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(project_flags INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
else()
  target_include_directories(project_flags INTERFACE ${PROJECT_SOURCE_DIR}/platform/include)
  if(CSVVIEW_SANITIZE)
    target_compile_options(project_flags INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(project_flags INTERFACE -fsanitize=address,undefined)
  endif()
endif()
