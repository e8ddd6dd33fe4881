// Placeholder until sending lands.
#include "send_engine.h"
void AddSendSubmenus(HMENU) {}
bool IsSendCommand(int) { return false; }
void HandleSendCommand(int) {}
void OnSendEnded() {}
void EndSendBeforeExit() {}
