// Pet titles and the host executable proposed at first run.
#include "ui/setup_search.h"

#include "platform/cp932.h"
#include "platform/text.h"
#include "roster/host_files.h"
#include "roster/roster.h"

std::vector<std::string> CollectPetTitles(const std::vector<std::string>& petFileNames) {
    std::vector<std::string> titles;
    for (const std::string& file : petFileNames) {
        std::string title = cp932::FileTitle(file);
        // A title the settings file would give back changed would name no file.
        if (text::Compare(title, kPreviousSettingsTitle) != 0 && text::Compare(title, kOldSettingsTitle) != 0 &&
            !title.empty() && StoresUnchanged(title))
            titles.push_back(title);
    }
    return titles;
}

std::string FindHostExecutable(const std::vector<std::string>& hostFileNames) {
    return hostFileNames.empty() ? std::string() : hostFileNames.front();
}
