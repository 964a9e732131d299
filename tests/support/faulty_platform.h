// A platform wrapped so that chosen calls fail, in the manner of SQLite's test VFS: the
// real layer does the work, the wrapper records every call and refuses the ones asked for.
// It can also end the process's effect on the disk at any call, as TerminateProcess would,
// and play a Windows of the 95 family, which cannot replace a file in one step.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/host_queries.h"
#include "platform/platform.h"

// A system of the 95 family whose one process is the host "Kirimo.exe", listed by its file
// name alone as a compatibility mode on NT lists it.
class RunningHost final : public HostQueries {
public:
    bool GetVersion(VersionInfo& info) override { return info.platformId = 1, true; }
    SnapshotHandle CreateSnapshot(std::uint32_t, std::uint32_t) override { return this; }
    bool FirstProcess(SnapshotHandle, ProcessEntry& entry) override { return entry.exeFile = "Kirimo.exe", true; }
    bool NextProcess(SnapshotHandle, ProcessEntry&) override { return false; }
    void CloseSnapshot(SnapshotHandle) override {}
    long OpenMachineKey(const std::string&, std::uint32_t, std::uint32_t, RegistryKey&) override { return 2; }
    long QueryValue(RegistryKey, const std::string&, std::uint32_t*, unsigned char*, std::uint32_t*) override {
        return 2;
    }
    long CloseKey(RegistryKey) override { return 0; }
    long QueryPerformanceData(const std::string&, unsigned char*, std::uint32_t*) override { return 2; }
    long ClosePerformanceData() override { return 0; }
    std::uint32_t FullPathName(const std::string&, std::uint32_t, char*, char**) override { return 0; }
    int WideToAnsi(const unsigned char*, int, char*, int) override { return 0; }
};

enum class Call { Lock, Directory, Rename, Remove, Copy, Stat, Probe, Find, Start, Read, Write, Replace };

class FaultyPlatform final : public Platform {
public:
    explicit FaultyPlatform(Platform& inner) : inner_(inner) {}

    // Every later call of this kind fails without reaching the real layer.
    void Fail(Call kind) { failing_.insert(kind); }
    // Only the n-th later call of this kind fails (1: the next one), or, with `persist`,
    // that one and every one after it: a countdown, as SQLite's test layer keeps. With n 0,
    // every one fails, as after Fail.
    void FailNth(Call kind, int n, bool persist) {
        if (n == 0) return Fail(kind);
        countdowns_[kind] = {n, persist};
    }
    void Heal(Call kind) {
        failing_.erase(kind);
        countdowns_.erase(kind);
    }
    // From the n-th later call on (1: the next one), nothing reaches the disk any more; a
    // file being written at that call is left empty, as a stop after its creation leaves it.
    void KillAt(long n) { killAt_ = calls_ + n; }
    bool Killed() const { return killAt_ > 0 && calls_ >= killAt_; }
    // From the n-th later host check on (1: the next one), the host program runs.
    void HostRunsFrom(int n) { hostRunsAt_ = hostChecks_ + n; }
    HostQueries& Host() override {
        return ++hostChecks_ >= hostRunsAt_ && hostRunsAt_ > 0 ? running_ : inner_.Host();
    }
    // Every call so far, of every kind.
    long Calls() const { return calls_; }
    // Replacing a file in one step is refused as 95, 98 and Me refuse it.
    void WithoutOneStepReplace() { noOneStepReplace_ = true; }
    // The file calls made so far, as "rename A > B", "copy A > B", "remove A", "start P",
    // "write F", "replace A > B".
    const std::vector<std::string>& FileCalls() const { return log_; }
    // How many calls were made to fail so far.
    long Refused() const { return refused_; }

    LockHandle CreateInstanceLock(const std::string& name, bool& alreadyExists) override {
        alreadyExists = false;
        return Fails(Call::Lock) ? nullptr : inner_.CreateInstanceLock(name, alreadyExists);
    }
    void ReleaseInstanceLock(LockHandle lock) override { inner_.ReleaseInstanceLock(lock); }
    void CloseInstanceLock(LockHandle lock) override { inner_.CloseInstanceLock(lock); }
    std::string CurrentDirectory() override {
        return Fails(Call::Directory) ? std::string() : inner_.CurrentDirectory();
    }
    bool RenameFile(const std::string& from, const std::string& to) override {
        log_.push_back("rename " + from + " > " + to);
        return !Fails(Call::Rename) && inner_.RenameFile(from, to);
    }
    bool RemoveFile(const std::string& name) override {
        log_.push_back("remove " + name);
        return !Fails(Call::Remove) && inner_.RemoveFile(name);
    }
    bool CopyFileReplacing(const std::string& from, const std::string& to) override {
        log_.push_back("copy " + from + " > " + to);
        return !Fails(Call::Copy) && inner_.CopyFileReplacing(from, to);
    }
    FileStatus StatFile(const std::string& name) override {
        return Fails(Call::Stat) ? FileStatus{false, false, 0, {}} : inner_.StatFile(name);
    }
    ProbeResult CreateProbe(const std::string& name) override {
        log_.push_back("probe " + name);
        return Fails(Call::Probe) ? ProbeResult::Failed : inner_.CreateProbe(name);
    }
    std::vector<std::string> FindFiles(const std::string& pattern) override {
        return Fails(Call::Find) ? std::vector<std::string>{} : inner_.FindFiles(pattern);
    }
    bool StartProgram(const std::string& path) override {
        log_.push_back("start " + path);
        return !Fails(Call::Start) && inner_.StartProgram(path);
    }
    FileContents ReadWholeFile(const std::string& name) override {
        return Fails(Call::Read) ? FileContents{FileContents::Unreadable, {}} : inner_.ReadWholeFile(name);
    }
    bool WriteWholeFile(const std::string& name, const std::string& bytes) override {
        log_.push_back("write " + name);
        if (!Fails(Call::Write)) return inner_.WriteWholeFile(name, bytes);
        if (calls_ == killAt_) inner_.WriteWholeFile(name, "");
        return false;
    }
    ReplaceResult ReplaceFile(const std::string& from, const std::string& to) override {
        log_.push_back("replace " + from + " > " + to);
        if (Fails(Call::Replace)) return ReplaceResult::Failed;
        return noOneStepReplace_ ? ReplaceResult::Unsupported : inner_.ReplaceFile(from, to);
    }

private:
    struct Countdown {
        int left;
        bool persist;
    };

    bool Fails(Call kind) {
        ++calls_;
        bool fails = Killed() || failing_.count(kind) != 0;
        if (auto countdown = countdowns_.find(kind); countdown != countdowns_.end() && --countdown->second.left == 0) {
            if (countdown->second.persist) failing_.insert(kind);
            countdowns_.erase(countdown);
            fails = true;
        }
        refused_ += fails;
        return fails;
    }

    Platform& inner_;
    std::set<Call> failing_;
    std::map<Call, Countdown> countdowns_;
    long refused_ = 0;
    long calls_ = 0;
    long killAt_ = 0;
    int hostChecks_ = 0, hostRunsAt_ = 0;
    RunningHost running_;
    bool noOneStepReplace_ = false;
    std::vector<std::string> log_;
};
