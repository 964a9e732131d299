// Start-up and exit of the application, in their fixed order.
#include "app/zandry_app.h"

#include "platform/host_detection.h"
#include "platform/text.h"
#include "roster/host_files.h"
#include "roster/rename_record.h"
#include "roster/switch_and_launch.h"
#include "res/resource.h"
#include "ui/chooser_dlg.h"
#include "ui/init_setup_dlg.h"

constexpr char kInstanceLockName[] = "CZandryApp";

int MatchPetArgument(const std::string& argument, const std::string& petName) {
    bool marked = !argument.empty() && (argument[0] == '-' || argument[0] == '/');
    return (marked ? text::LocaleEqual(argument.substr(1), petName) : text::LocaleEqual(argument, petName)) ? 1 : 0;
}

CZandryApp::CZandryApp(Platform& platform, std::vector<std::string> arguments)
    : platform_(platform), arguments_(std::move(arguments)), store_(platform) {}

bool CZandryApp::InitInstance() {
    Dialogs().EnableThreeDLook();
    bool alreadyExists = false;
    LockHandle lock = platform_.CreateInstanceLock(kInstanceLockName, alreadyExists);
    if (alreadyExists) {
        platform_.CloseInstanceLock(lock);
        return false;
    }
    lock_ = lock;

    const std::string workingFolder = platform_.CurrentDirectory();
    if (workingFolder.empty()) return true;
    store_.Bind(workingFolder + "\\" + kSettingsFile);
    // What a stop left unfinished must be finished first: taken for a first run, a settings
    // file left beside its place would be written over.
    if (Failure left = store_.Recover()) return EndWith(left, IDS_NOT_RECOVERED);

    FileStatus settings = platform_.StatFile(kSettingsFile);
    if (settings.certain && (!settings.exists || settings.size == 0)) {
        CInitSetupDlg setup(store_, platform_);
        if (setup.DoModal() == kIdCancel) return true;
    }

    // Nothing may act on a settings file that cannot be read.
    std::optional<Profile> profile = store_.Load();
    if (!profile) return EndWith(store_.ReadFailure(), IDS_NOT_LAUNCHED);
    const std::string hostPath = workingFolder + "\\" + GetHostExecutableName(*profile);
    if (IsHostRunning(platform_.Host(), hostPath) == 1) return true;
    // The roster names the renamed pet while its files lie under the old name: no pet may
    // come in or go out before they are where it says.
    if (Failure left = FinishRename(platform_, store_, *profile)) return EndWith(left, IDS_NOT_RECOVERED);

    if (!arguments_.empty()) {
        const SwitchEntries entries = ReadSwitchEntries(*profile, [&](int, std::string_view name) {
            return MatchPetArgument(arguments_[0], std::string(name)) == 1;
        });
        if (entries.incoming.listed) return Launch(*profile, entries, hostPath);
    }
    CChooserDlg chooser(store_, platform_, hostPath);
    if (chooser.DoModal() != kIdOk || chooser.SelectedIndex() == -1) return true;
    // The management window may have changed the file since.
    std::optional<Profile> now = store_.Load();
    if (!now) return EndWith(store_.ReadFailure(), IDS_NOT_LAUNCHED);
    return Launch(*now, ReadSwitchEntries(*now, chooser.SelectedIndex()), hostPath);
}

bool CZandryApp::Launch(Profile& profile, const SwitchEntries& entries, const std::string& hostPath) {
    auto askToRestore = [](const std::string& pet) {
        return Ask(nullptr, LoadText(IDS_RESTORE_QUESTION, {PetFile(pet), BackupFile(pet)}));
    };
    Failure failure = SwitchAndLaunch(platform_, store_, profile, entries, hostPath, askToRestore);
    // A host that would not start leaves the switch made; any other failure, none.
    return EndWith(failure, failure.kind == Failure::Start ? 0 : IDS_NOT_LAUNCHED);
}

bool CZandryApp::EndWith(const Failure& failure, int notDoneId) {
    SayFailure(failure, notDoneId);
    return true;
}

int CZandryApp::ExitInstance() {
    if (lock_) {
        platform_.ReleaseInstanceLock(lock_);
        platform_.CloseInstanceLock(lock_);
    }
    return 0;
}

int CZandryApp::Run() {
    InitInstance();
    return ExitInstance();
}
