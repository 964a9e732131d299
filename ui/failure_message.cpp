// Failure messages, built from the texts of the resource script.
#include "ui/failure_message.h"

#include "res/resource.h"

void SayFailure(const Failure& failure, int notDoneId, DialogWindow* window) {
    static const int kInTheWay[] = {0, IDS_CANNOT_READ, IDS_CANNOT_WRITE, IDS_CANNOT_RENAME, IDS_CANNOT_START,
                                    IDS_HOST_RUNNING};
    if (!failure) return;
    std::string text = LoadText(kInTheWay[failure.kind], {failure.file, failure.to});
    if (notDoneId) text += "\n" + LoadText(notDoneId);
    Warn(window, text);
}
