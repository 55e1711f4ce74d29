#include "app/storage_message.h"

#include "toolkit/requesters/requester_calls.h"

void OutOfMemoryMessage() {
  // The texts are constants: the string storage that ran out is not needed.
  ShowMessage("Fehler !", "Zu wenig Speicher !", 0);
}

void StorageExhaustedMessage() {
  OutOfMemoryMessage();
  ExitProcess(EXIT_OUT_OF_MEMORY);
}
