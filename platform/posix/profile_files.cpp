// Off-Windows profile store: IniDocument over files, cached by stamp, written atomically.
#include "platform/posix/profile_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/cp932.h"

std::optional<std::string> ReadWholeFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return bytes;
}

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::string& bytes, unsigned mode) {
    std::string temp = path + ".XXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, bytes);
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), path.c_str()) == 0) return true;
    unlink(temp.c_str());
    return false;
}

namespace {

unsigned DefaultMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

}  // namespace

std::optional<ProfileFiles::Stamp> ProfileFiles::StampOf(const std::string& hostPath) {
    struct stat st;
    if (stat(hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    Stamp s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.mode = st.st_mode & 07777;
    return s;
}

void ProfileFiles::Hold(const std::string& hostPath, bool hold) {
    auto& state = holds_[hostPath];
    state.count += hold ? 1 : -1;
    if (state.count <= 0) holds_.erase(hostPath);
}

ProfileFiles::Cached* ProfileFiles::Load(const std::string& hostPath) {
    auto held = holds_.find(hostPath);
    if (held != holds_.end()) {
        auto cached = cache_.find(hostPath);
        if (held->second.looked) return cached == cache_.end() ? nullptr : &cached->second;
        held->second.looked = true;
    }
    auto stamp = StampOf(hostPath);
    if (!stamp) {
        cache_.erase(hostPath);
        return nullptr;
    }
    auto it = cache_.find(hostPath);
    if (it != cache_.end() && it->second.stamp == *stamp) return &it->second;
    auto bytes = ReadWholeFile(hostPath);
    if (!bytes) {
        cache_.erase(hostPath);
        return nullptr;
    }
    Cached& entry = cache_[hostPath];
    entry.stamp = *stamp;
    entry.document = IniDocument(std::move(*bytes));
    return &entry;
}

std::optional<std::string> ProfileFiles::Read(const std::string& hostPath,
                                              const std::string& section,
                                              const std::string& key) {
    auto batch = pending_.find(hostPath);
    const Cached* cached = batch != pending_.end() && batch->second.edited ? &*batch->second.edited : Load(hostPath);
    if (!cached) return std::nullopt;
    return cached->document.Find(section, key);
}

bool ProfileFiles::Write(const std::string& hostPath, const std::string& section,
                         const std::string& key, const std::optional<std::string>& value) {
    auto batch = pending_.find(hostPath);
    bool held = batch != pending_.end();
    if (held && batch->second.failed) return false;
    Cached* target = held && batch->second.edited ? &*batch->second.edited : Load(hostPath);
    // Windows refuses to write a read-only settings file; renaming over it would not.
    if (target && !(target->stamp.mode & S_IWUSR)) {
        if (held) batch->second.failed = true;
        return false;
    }
    const Cached fresh{Stamp{0, 0, 0, 0, DefaultMode()}, IniDocument()};
    if (held && !batch->second.edited)
        target = &batch->second.edited.emplace(target ? *target : fresh);  // the batch's own copy
    else if (!target)
        target = &cache_.emplace(hostPath, fresh).first->second;
    bool changed = value ? target->document.Set(section, key, *value) : target->document.Remove(section, key);
    if (!changed || held) return true;
    return Flush(hostPath);
}

bool ProfileFiles::Flush(const std::string& hostPath) {
    Cached& entry = cache_[hostPath];
    bool written = ReplaceFile(hostPath, entry.document.Bytes(), entry.stamp.mode);
    auto stamp = written ? StampOf(hostPath) : std::nullopt;
    if (stamp)
        entry.stamp = *stamp;
    else
        cache_.erase(hostPath);
    return written;
}

void ProfileFiles::HoldWrites(const std::string& hostPath) { ++pending_[hostPath].count; }

bool ProfileFiles::ReleaseWrites(const std::string& hostPath) {
    auto batch = pending_.find(hostPath);
    if (batch == pending_.end()) return true;
    if (--batch->second.count > 0) return !batch->second.failed;
    PendingWrites writes = std::move(batch->second);
    pending_.erase(batch);
    if (writes.failed) return false;
    if (!writes.edited) return true;
    cache_[hostPath] = std::move(*writes.edited);
    return Flush(hostPath);
}

int ParseProfileInt(const std::string& value) {
    // GetPrivateProfileIntA reads through a 30-character buffer.
    std::string head;
    for (size_t i = 0, chars = 0; i < value.size() && chars < 29; ++chars) {
        size_t len = cp932::CharLength(value, i);
        head += value.substr(i, len);
        i += len;
    }
    size_t i = 0;
    while (i < head.size() && static_cast<unsigned char>(head[i]) <= ' ') ++i;
    bool negative = false;
    if (i < head.size() && (head[i] == '-' || head[i] == '+')) negative = head[i++] == '-';
    unsigned base = 10;
    if (i + 1 < head.size() && head[i] == '0') {
        char p = head[i + 1];
        base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    std::uint32_t result = 0;
    for (; i < head.size(); ++i) {
        char c = head[i];
        unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                         : c >= 'a' && c <= 'z' ? static_cast<unsigned>(c - 'a' + 10)
                         : c >= 'A' && c <= 'Z' ? static_cast<unsigned>(c - 'A' + 10)
                                                : 99;
        if (digit >= base) break;
        result = result * base + digit;
    }
    if (negative) result = 0u - result;
    return static_cast<int>(result);
}
