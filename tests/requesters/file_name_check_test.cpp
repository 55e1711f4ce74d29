#include <gtest/gtest.h>

#include <string>

#include "toolkit/requesters/requesters.h"

TEST(IsValidFileName, RejectsAbsentEmptyAndReservedCharacters) {
  EXPECT_EQ(IsValidFileName(nullptr), 0);
  EXPECT_EQ(IsValidFileName(""), 0);
  for (char reserved : std::string("\"*/:<>?\\|")) {
    std::string name = std::string("a") + reserved + "b.csv";
    EXPECT_EQ(IsValidFileName(name.c_str()), 0) << name;
    EXPECT_EQ(IsValidFileName(std::string(1, reserved).c_str()), 0) << reserved;
  }
}

TEST(IsValidFileName, RejectsControlBytesAndAcceptsTheRest) {
  for (int byte = 1; byte < 256; ++byte) {
    std::string name = std::string("x") + static_cast<char>(byte) + ".csv";
    bool reserved = std::string("\"*/:<>?\\|").find(static_cast<char>(byte)) != std::string::npos;
    EXPECT_EQ(IsValidFileName(name.c_str()), byte >= 32 && !reserved ? 1 : 0) << "byte " << byte;
  }
  const char *accepted[] = {"meinecvs.csv",
                            "a",
                            ".",
                            "Datei \xF6"
                            "ffnen.csv",
                            "\xFF\x80",
                            "name with spaces"};
  for (const char *name : accepted) {
    EXPECT_EQ(IsValidFileName(name), 1) << name;
  }
}
