#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/strings.h"

namespace files {

namespace {

std::atomic<bool> gFailBeforeRename{false};
std::function<void(SaveStep, const std::string&)> gSaveStepHook;
thread_local ReadError gLastReadError = ReadError::None;

ReadError errorKind(int err) {
    return (err == EACCES || err == EPERM) ? ReadError::NoPermission
           : err == ENOENT                 ? ReadError::Missing
                                           : ReadError::Other;
}

void reportRead(const std::string& path, const char* reason) {
    std::fprintf(stderr, "Error reading from stream: %s: %s\n", path.c_str(), reason);
    std::fflush(stderr);
}

void reportWrite(const std::string& path, const char* reason) {
    std::fprintf(stderr, "Error writing to stream: %s: %s\n", path.c_str(), reason);
    std::fflush(stderr);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool isDir(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string join(const std::string& base, const std::string& name) {
    if (base.empty()) return name;
    if (base.back() == '/') return base + name;
    return base + "/" + name;
}

// The entry of `dir` that equals `name` without regard to case. Several spellings may
// exist on a case-sensitive disk: the lexicographically first wins, so the choice never
// depends on directory order.
std::optional<std::string> findNoCase(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return std::nullopt;
    std::optional<std::string> best;
    while (dirent* e = ::readdir(d)) {
        const std::string entry = e->d_name;
        if (entry == "." || entry == "..") continue;
        if (!str::equalsNoCase(entry, name)) continue;
        if (!best || entry < *best) best = entry;
    }
    ::closedir(d);
    return best;
}

// Walks `path` component by component. For reads a missing component ends the walk with
// nothing; for writes the rest keeps the given spelling.
std::optional<std::string> walk(const std::string& path, bool forWrite) {
    if (path.empty()) return forWrite ? std::optional<std::string>("") : std::nullopt;
    if (exists(path)) return path;
    const std::vector<std::string> parts = splitPath(path);
    std::string current = path[0] == '/' ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        const std::string exact = join(current, part);
        if (part == "." || part == ".." || exists(exact)) {
            current = exact;
            continue;
        }
        if (auto found = findNoCase(current, part)) {
            current = join(current, *found);
            continue;
        }
        if (!forWrite) return std::nullopt;
        for (size_t k = i; k < parts.size(); ++k) current = join(current, parts[k]);
        return current;
    }
    if (current.empty()) return forWrite ? std::optional<std::string>(path) : std::nullopt;
    return current;
}

bool isValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        uint32_t cp;
        uint32_t minimum;
        if ((b0 & 0xE0) == 0xC0) {
            len = 2, cp = b0 & 0x1F, minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3, cp = b0 & 0x0F, minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            len = 4, cp = b0 & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::string decodeUtf16(const std::string& bytes, size_t start, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unitAt = [&](size_t pos) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[pos]);
        const auto b = static_cast<unsigned char>(bytes[pos + 1]);
        return bigEndian ? static_cast<char32_t>((a << 8) | b) : static_cast<char32_t>((b << 8) | a);
    };
    size_t pos = start;
    while (pos + 1 < bytes.size()) {
        char32_t unit = unitAt(pos);
        pos += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (pos + 1 < bytes.size()) {
                const char32_t low = unitAt(pos);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    pos += 2;
                    out += str::fromCodePoint(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    continue;
                }
            }
            unit = 0xFFFD;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            unit = 0xFFFD;
        }
        out += str::fromCodePoint(unit);
    }
    return out;
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<std::string> resolve(const std::string& path) { return walk(path, false); }

std::string resolveForWrite(const std::string& path) { return *walk(path, true); }

ReadError lastReadError() { return gLastReadError; }

bool insideTree(std::string_view name) {
    if (name.empty()) return true;
    if (name.front() == '/' || name.find('\\') != std::string_view::npos) return false;
    if (name.size() >= 2 && name[1] == ':') return false;  // "C:..."
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        if (name.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

namespace {

// The file at `path` opened for reading, when it is a regular file within maxBytes (when not
// 0): its descriptor and where it resolved, or -1 with the failure noted (and reported).
int openRegular(const std::string& path, size_t maxBytes, bool report, std::string& real, struct stat& st) {
    auto complain = [report](const std::string& what, const char* reason) {
        if (report) reportRead(what, reason);
    };
    gLastReadError = ReadError::None;
    const auto found = resolve(path);
    if (!found) {
        gLastReadError = ReadError::Missing;
        complain(path, "no such file");
        return -1;
    }
    real = *found;
    // Non-blocking, so that opening a FIFO never waits for a writer.
    const int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        gLastReadError = errorKind(errno);
        complain(real, std::strerror(errno));
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        gLastReadError = ReadError::NotRegular;
        complain(real, "not a regular file");
        return -1;
    }
    if (maxBytes > 0 && static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        gLastReadError = ReadError::TooLarge;
        complain(real, "too large");
        return -1;
    }
    return fd;
}

}  // namespace

std::optional<std::string> loadBytes(const std::string& path, size_t maxBytes, bool report) {
    auto complain = [report](const std::string& what, const char* reason) {
        if (report) reportRead(what, reason);
    };
    std::string where;
    struct stat st {};
    const int fd = openRegular(path, maxBytes, report, where, st);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            gLastReadError = errorKind(err);
            complain(where, std::strerror(err));
            return std::nullopt;
        }
        bytes.append(buf, static_cast<size_t>(n));
        // A file that grows while it is read is held to the same limit.
        if (maxBytes > 0 && bytes.size() > maxBytes) {
            ::close(fd);
            gLastReadError = ReadError::TooLarge;
            complain(where, "too large");
            return std::nullopt;
        }
    }
    ::close(fd);
    return bytes;
}

MappedBytes::~MappedBytes() {
    if (mapped_) ::munmap(const_cast<char*>(data_), size_);
}

std::shared_ptr<const MappedBytes> mapBytes(const std::string& path, size_t maxBytes, bool report) {
    std::string where;
    struct stat st {};
    const int fd = openRegular(path, maxBytes, report, where, st);
    if (fd < 0) return nullptr;
    const size_t size = static_cast<size_t>(st.st_size);
    void* at = size > 0 ? ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
    ::close(fd);
    if (at != MAP_FAILED) return std::shared_ptr<const MappedBytes>(new MappedBytes(static_cast<const char*>(at), size));
    // An empty file, or one that cannot be mapped: its bytes are read as ever.
    auto bytes = loadBytes(path, maxBytes, report);
    if (!bytes) return nullptr;
    return std::shared_ptr<const MappedBytes>(new MappedBytes(std::move(*bytes)));
}

std::string decodeText(std::string bytes) {
    const std::string& b = bytes;
    auto at = [&](size_t i) { return static_cast<unsigned char>(b[i]); };
    if (b.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) return decodeUtf16(b, 2, true);
    if (b.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) return decodeUtf16(b, 2, false);
    if (b.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        std::string text = b.substr(3);
        if (isValidUtf8(text)) return text;
        return str::fromCodePoints(str::toCodePoints(text));
    }
    // One byte per character (Latin-1); plain ASCII is already UTF-8.
    bool ascii = true;
    for (unsigned char c : b) {
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return bytes;
    std::string out;
    out.reserve(b.size() + b.size() / 4);
    for (unsigned char c : b) out += str::fromCodePoint(c);
    return out;
}

std::optional<std::string> loadText(const std::string& path, size_t maxBytes) {
    auto bytes = loadBytes(path, maxBytes);
    if (!bytes) return std::nullopt;
    return decodeText(std::move(*bytes));
}

std::string encodeText(const std::string& text) {
    const std::u32string cps = str::toCodePoints(text);
    bool narrow = true;
    for (char32_t c : cps) {
        if (c > 255) {
            narrow = false;
            break;
        }
    }
    std::string bytes;
    if (narrow) {
        bytes.reserve(cps.size());
        for (char32_t c : cps) bytes += static_cast<char>(static_cast<unsigned char>(c));
    } else {
        bytes.reserve(2 + cps.size() * 2);
        bytes += '\xFF';
        bytes += '\xFE';
        auto unit = [&](uint32_t u) {
            bytes += static_cast<char>(u & 0xFF);
            bytes += static_cast<char>((u >> 8) & 0xFF);
        };
        for (char32_t c : cps) {
            if (c >= 0x10000) {
                const uint32_t v = c - 0x10000;
                unit(0xD800 + (v >> 10));
                unit(0xDC00 + (v & 0x3FF));
            } else {
                unit(c);
            }
        }
    }
    return bytes;
}

bool saveText(const std::string& text, const std::string& path) { return saveBytes(encodeText(text), path); }

bool saveBytes(const std::string& bytes, const std::string& path) {
    if (path.empty()) {
        reportWrite(path, "empty file name");
        return false;
    }
    const std::string target = resolveForWrite(path);
    if (isDir(target)) {
        reportWrite(target, "is a folder");
        return false;
    }
    std::string dir = extractDir(target);
    if (dir.empty()) dir = ".";
    std::string temp = join(dir, "." + stripDir(target) + ".tmp-XXXXXX");
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        reportWrite(target, std::strerror(errno));
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErr = errno;
    if (::close(fd) != 0 && ok) ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        reportWrite(target, std::strerror(writeErr ? writeErr : EIO));
        return false;
    }
    if (gSaveStepHook) gSaveStepHook(SaveStep::TemporaryWritten, target);
    if (gFailBeforeRename.exchange(false)) {
        ::unlink(temp.c_str());
        reportWrite(target, "save interrupted before the rename");
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        reportWrite(target, std::strerror(err));
        return false;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    if (gSaveStepHook) gSaveStepHook(SaveStep::Renamed, target);
    return true;
}

int removeStaleTemporaries(const std::string& dir, int minAgeSeconds) {
    const auto real = resolve(dir);
    if (!real) return 0;
    DIR* d = ::opendir(real->c_str());
    if (!d) return 0;
    std::vector<std::string> stale;
    const time_t now = ::time(nullptr);
    while (dirent* e = ::readdir(d)) {
        // The name saveBytes gives its temporaries: "." + target + ".tmp-" + six characters.
        const std::string name = e->d_name;
        const size_t mark = name.rfind(".tmp-");
        if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark < 2 ||
            name.size() != mark + 11)
            continue;
        const std::string full = join(*real, name);
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (now - st.st_mtime < minAgeSeconds) continue;
        stale.push_back(full);
    }
    ::closedir(d);
    int removed = 0;
    for (const auto& f : stale)
        if (::unlink(f.c_str()) == 0) ++removed;
    return removed;
}

int fileType(const std::string& path) {
    const auto real = resolve(path);
    if (!real) return FILETYPE_NONE;
    struct stat st {};
    if (::stat(real->c_str(), &st) != 0) return FILETYPE_NONE;
    return S_ISDIR(st.st_mode) ? FILETYPE_DIR : FILETYPE_FILE;
}

bool createDir(const std::string& path, bool recurse) {
    if (path.empty()) return false;
    const std::string target = resolveForWrite(path);
    if (isDir(target)) return true;
    std::vector<std::string> steps;
    if (recurse) {
        std::string current = target[0] == '/' ? "/" : "";
        for (const std::string& part : splitPath(target)) {
            current = join(current, part);
            steps.push_back(current);
        }
    } else {
        steps.push_back(target);
    }
    for (const std::string& step : steps) {
        if (isDir(step)) continue;
        if (::mkdir(step.c_str(), 0777) != 0 && !(errno == EEXIST && isDir(step))) {
            std::fprintf(stderr, "Cannot create folder %s: %s\n", step.c_str(), std::strerror(errno));
            std::fflush(stderr);
            return false;
        }
    }
    return true;
}

bool deleteFile(const std::string& path) {
    const auto real = resolve(path);
    if (!real || isDir(*real)) return false;
    return ::unlink(real->c_str()) == 0;
}

std::string realPath(const std::string& path) {
    const std::string full = (!path.empty() && path[0] == '/') ? path : join(currentDir(), path);
    std::vector<std::string> kept;
    for (const std::string& part : splitPath(full)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string out;
    for (const std::string& part : kept) out += "/" + part;
    return out.empty() ? "/" : out;
}

std::string currentDir() {
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

std::string extractDir(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string stripDir(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extractExt(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot + 1);
}

std::string stripExt(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

std::string appDir() {
    std::vector<char> buf(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return currentDir();
    return extractDir(std::string(buf.data(), static_cast<size_t>(n)));
}

void failNextSaveBeforeRename() { gFailBeforeRename = true; }

void setSaveStepHook(std::function<void(SaveStep, const std::string&)> hook) { gSaveStepHook = std::move(hook); }

}  // namespace files
