// A platform wrapped so that chosen calls fail, in the manner of SQLite's test VFS: the
// real layer does the work, the wrapper records every call and refuses the ones asked for.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

enum class Call { Lock, Directory, Rename, Remove, Copy, Stat, Probe, Find, Start, Read, Write };

class FaultyPlatform final : public Platform {
public:
    explicit FaultyPlatform(Platform& inner) : inner_(inner) {}

    // Every later call of this kind fails without reaching the real layer.
    void Fail(Call kind) { failing_.insert(kind); }
    // Only the n-th later call of this kind fails (1: the next one), or, with `persist`,
    // that one and every one after it: a countdown, as SQLite's test layer keeps.
    void FailNth(Call kind, int n, bool persist) { countdowns_[kind] = {n, persist}; }
    void Heal(Call kind) {
        failing_.erase(kind);
        countdowns_.erase(kind);
    }
    // The file calls made so far, as "rename A > B", "copy A > B", "remove A", "start P",
    // "write S/K=V" or "delete S/K".
    const std::vector<std::string>& FileCalls() const { return calls_; }
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
        calls_.push_back("rename " + from + " > " + to);
        return !Fails(Call::Rename) && inner_.RenameFile(from, to);
    }
    bool RemoveFile(const std::string& name) override {
        calls_.push_back("remove " + name);
        return !Fails(Call::Remove) && inner_.RemoveFile(name);
    }
    bool CopyFileReplacing(const std::string& from, const std::string& to) override {
        calls_.push_back("copy " + from + " > " + to);
        return !Fails(Call::Copy) && inner_.CopyFileReplacing(from, to);
    }
    FileStatus StatFile(const std::string& name) override {
        return Fails(Call::Stat) ? FileStatus{} : inner_.StatFile(name);
    }
    ProbeResult CreateProbe(const std::string& name) override {
        calls_.push_back("probe " + name);
        return Fails(Call::Probe) ? ProbeResult::Refused : inner_.CreateProbe(name);
    }
    std::vector<std::string> FindFiles(const std::string& pattern) override {
        return Fails(Call::Find) ? std::vector<std::string>{} : inner_.FindFiles(pattern);
    }
    bool StartProgram(const std::string& path) override {
        calls_.push_back("start " + path);
        return !Fails(Call::Start) && inner_.StartProgram(path);
    }
    int ProfileReadInt(const std::string& section, const std::string& key, int fallback,
                       const std::string& file) override {
        return Fails(Call::Read) ? fallback : inner_.ProfileReadInt(section, key, fallback, file);
    }
    std::string ProfileReadText(const std::string& section, const std::string& key,
                                const std::string& fallback, const std::string& file) override {
        return Fails(Call::Read) ? fallback : inner_.ProfileReadText(section, key, fallback, file);
    }
    bool ProfileWriteText(const std::string& section, const std::string& key,
                          const std::optional<std::string>& value,
                          const std::string& file) override {
        calls_.push_back(value ? "write " + section + "/" + key + "=" + *value
                               : "delete " + section + "/" + key);
        return !Fails(Call::Write) && inner_.ProfileWriteText(section, key, value, file);
    }

    void HoldProfileWrites(const std::string& file) override { inner_.HoldProfileWrites(file); }
    bool ReleaseProfileWrites(const std::string& file) override { return inner_.ReleaseProfileWrites(file); }
    void HoldProfileSnapshot(const std::string& file, bool hold) override {
        inner_.HoldProfileSnapshot(file, hold);
    }

private:
    struct Countdown {
        int left;
        bool persist;
    };

    bool Fails(Call kind) {
        if (auto countdown = countdowns_.find(kind); countdown != countdowns_.end() &&
                                                     --countdown->second.left == 0) {
            if (countdown->second.persist) failing_.insert(kind);
            countdowns_.erase(countdown);
            ++refused_;
            return true;
        }
        bool fails = failing_.count(kind) != 0;
        refused_ += fails;
        return fails;
    }

    Platform& inner_;
    std::set<Call> failing_;
    std::map<Call, Countdown> countdowns_;
    long refused_ = 0;
    std::vector<std::string> calls_;
};
