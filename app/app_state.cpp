// The viewer's variables start zero and empty, as the entry expects.
#include "app/app_state.h"

StringVar SourcePath;
StringVar Separator;
StringVar LineText;
StringVar RowText;
int32_t QuitRequested;
int32_t LastEvent;
