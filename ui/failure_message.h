// A failure said to the user in a message box: what stood in the way, then what was not done.
#pragma once
#include "platform/failure.h"
#include "ui/framework/dialog_window.h"

// Owned by `window`, or by no window when it is null. `notDoneId` is the string id of what
// was not done, 0 for no such line. Nothing is shown for no failure.
void SayFailure(const Failure& failure, int notDoneId, DialogWindow* window = nullptr);
