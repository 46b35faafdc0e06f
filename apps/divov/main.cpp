// The stand-alone program an export makes: this stub followed by a resource
// container. It unpacks the entries into a private folder, runs the packed
// program on the packed macro without the editor, passes on its exit status
// and removes the folder. Nothing here waits for a person: faults go to the
// standard error and end the stub with status 2.
#include "platform/Container.h"
#include "platform/Cp1252Table.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kStubFailed = 2;
const char* const kProgramEntry = "\\ORVANEL.EXE";
// The host program of the packed plug-ins: executable too.
const char* const kPluginHostEntry = "\\PLUGINHOST";

struct Failure {
    std::string what;
};

std::string systemError(const std::string& what) { return what + " : " + std::strerror(errno); }

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// The entry's path below the folder, in UTF-8 with "/" between its parts.
// An entry names a file below the container's root: one leading "\" at most,
// no drive, no "/" root, no empty, "." or ".." part.
std::string relativePath(const std::string& name) {
    std::string path;
    for (char b : name) {
        const auto u = static_cast<unsigned char>(b);
        if (b == '\\') path += '/';
        else if (u >= 0x80 && u <= 0x9F) appendUtf8(path, platform::kCp1252High[u - 0x80]);
        else appendUtf8(path, u);
    }
    const auto refused = [&name](const char* why) { return Failure{"entrée refusée (" + std::string(why) + ") : " + name}; };
    if (!name.empty() && name[0] == '/') throw refused("chemin absolu");
    if (name.size() > 1 && name[1] == ':') throw refused("chemin absolu");
    if (!path.empty() && path[0] == '/') path.erase(0, 1);
    size_t start = 0;
    while (true) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") throw refused("nom vide ou remontant");
        if (end == path.size()) break;
        start = end + 1;
    }
    return path;
}

void makeParents(const std::string& root, const std::string& path) {
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string folder = root + "/" + path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) throw Failure{systemError(folder)};
        struct stat st {};
        if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) throw Failure{"dossier impossible : " + folder};
    }
}

void writeAll(int fd, const unsigned char* data, size_t size, const std::string& file) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Failure{systemError(file)};
        data += n;
        size -= size_t(n);
    }
}

// Inflates one entry into its file; the result must have the stored size.
void inflateEntry(int container, const container::Entry& e, const std::string& file, mode_t mode) {
    const int out = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (out < 0) throw Failure{systemError(file)};
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{out};
    const int64_t expected = e.header.uncompressedSize;
    if (e.header.compressedSize == 0) {
        if (expected != 0) throw Failure{"entrée sans données : " + e.header.name};
        return;
    }
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw Failure{"zlib indisponible"};
    struct Ender {
        z_stream* z;
        ~Ender() { inflateEnd(z); }
    } ender{&z};
    std::vector<unsigned char> in(1 << 16), buffer(1 << 16);
    int64_t left = e.header.compressedSize, position = e.dataPosition, written = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (z.avail_in == 0) {
            if (left == 0) break;
            const ssize_t n = pread(container, in.data(), size_t(std::min<int64_t>(left, int64_t(in.size()))), position);
            if (n <= 0) throw Failure{systemError("lecture du conteneur")};
            left -= n;
            position += n;
            z.next_in = in.data();
            z.avail_in = uInt(n);
        }
        z.next_out = buffer.data();
        z.avail_out = uInt(buffer.size());
        status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) throw Failure{"données endommagées : " + e.header.name};
        const size_t produced = buffer.size() - z.avail_out;
        written += int64_t(produced);
        if (written > expected) throw Failure{"taille inattendue : " + e.header.name};
        writeAll(out, buffer.data(), produced, file);
    }
    if (status != Z_STREAM_END || written != expected || left != 0 || z.avail_in != 0)
        throw Failure{"données endommagées : " + e.header.name};
    if (fsync(out) != 0) throw Failure{systemError(file)};
}

int removeOne(const char* path, const struct stat*, int, struct FTW*) { return remove(path) == 0 ? 0 : -1; }

void removeFolder(const std::string& folder) { nftw(folder.c_str(), removeOne, 16, FTW_DEPTH | FTW_PHYS); }

volatile pid_t child = 0;
void passOn(int signal) {
    if (child > 0) kill(child, signal);
}

// Runs program with the macro as its one argument; its exit status.
int runPacked(const std::string& program, const std::string& macro) {
    struct sigaction action {};
    action.sa_handler = passOn;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw Failure{systemError("fork")};
    if (pid == 0) {
        unsetenv("ORVANEL_HOME");  // the packed program reads the settings packed beside it
        char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(macro.c_str()), nullptr};
        execv(program.c_str(), argv);
        std::fprintf(stderr, "DivOV : %s\n", systemError(program).c_str());
        _exit(127);
    }
    child = pid;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) throw Failure{systemError("waitpid")};
    child = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string temporaryRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

int unpackAndRun(std::string& folder) {
    const int self = open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    if (self < 0) throw Failure{systemError("/proc/self/exe")};
    struct stat st {};
    if (fstat(self, &st) != 0) throw Failure{systemError("/proc/self/exe")};
    const container::Contents contents = container::ReadContents(self, st.st_size);
    if (!contents.isContainer) throw Failure{"ce programme ne contient aucune macro exportée"};
    if (!contents.error.empty()) throw Failure{"conteneur endommagé : " + contents.error};
    // Every name is checked before anything is written.
    std::vector<std::string> paths;
    std::string program, macro;
    for (size_t i = 0; i < contents.entries.size(); ++i) {
        paths.push_back(relativePath(contents.entries[i].header.name));
        if (program.empty() && upperAscii(contents.entries[i].header.name) == kProgramEntry &&
            i + 1 < contents.entries.size())
            program = paths.back(), macro = relativePath(contents.entries[i + 1].header.name);
    }
    if (program.empty()) throw Failure{"le programme ou la macro manque dans le conteneur"};
    std::string pattern = temporaryRoot() + "/orvanel-export-XXXXXX";
    if (!mkdtemp(pattern.data())) throw Failure{systemError(pattern)};
    folder = pattern;
    for (size_t i = 0; i < paths.size(); ++i) {
        makeParents(folder, paths[i]);
        const bool runs = paths[i] == program || upperAscii(contents.entries[i].header.name) == kPluginHostEntry;
        inflateEntry(self, contents.entries[i], folder + "/" + paths[i], runs ? 0700 : 0600);
    }
    close(self);
    return runPacked(folder + "/" + program, folder + "/" + macro);
}

}  // namespace

int main() {
    std::string folder;
    int status = kStubFailed;
    try {
        status = unpackAndRun(folder);
    } catch (const Failure& f) {
        std::fprintf(stderr, "DivOV : %s\n", f.what.c_str());
    }
    if (!folder.empty()) removeFolder(folder);
    return status;
}
