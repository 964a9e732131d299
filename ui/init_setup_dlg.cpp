// The first-run setup window's handlers, and what it proposes from the folder's names.
#include "ui/init_setup_dlg.h"

#include "platform/cp932.h"
#include "platform/text.h"
#include "res/resource.h"
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

CInitSetupDlg::CInitSetupDlg(ProfileStore& store, Platform& platform)
    : CDialog(IDD_INIT_SETUP), store_(store), platform_(platform) {}

void CInitSetupDlg::DoDataExchange(DataExchange& dx) { dx.Text(IDC_SETUP_HOST, hostExecutable_); }

bool CInitSetupDlg::OnInitDialog() {
    ListControl& pets = Window().List(IDC_SETUP_PETS);
    for (const std::string& title : CollectPetTitles(platform_.FindFiles(std::string("*") + kPetExtension)))
        pets.Add(title);
    hostExecutable_ = FindHostExecutable(platform_.FindFiles(kHostPattern));
    return CDialog::OnInitDialog();
}

void CInitSetupDlg::OnOK() {
    UpdateData(true);
    // With "*" or "?" (never trail bytes) the folder search behind the file status would take
    // the name for a pattern, find some file, and the pattern would be stored as the host's name.
    if (hostExecutable_.find_first_of("*?") != std::string::npos ||
        !platform_.StatFile(hostExecutable_).exists)
        return;
    const std::vector<std::string> titles = Window().List(IDC_SETUP_PETS).Texts();
    std::optional<Profile> profile = store_.Load();
    if (profile) SaveInitialRoster(*profile, titles, hostExecutable_);
    Failure failure = !profile ? store_.ReadFailure() : store_.Save(*profile) ? Failure{} : store_.WriteFailure();
    // Closed as if it had worked, the window would only come back at the next start: it
    // stays open, and its cancel button ends the run.
    SayFailure(failure, IDS_NOT_SET_UP, &Window());
    if (!failure) EndDialog(kIdOk);
}
