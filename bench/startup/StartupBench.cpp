// Start-up of the editor against a bare Qt window of the same size. Both run
// under an Xvfb of the bench's own and end at their first paint; the pairs are
// interleaved, the order within a pair alternating, so that a busy machine
// slows both alike. Prints each pair and the median ratio editor / bare.
//
//   startup_bench [--pairs N] [--editor PATH] [--bare PATH]
//
// N is at least 10 (20 by default); the paths default to the programs of this
// build tree.
#include <fcntl.h>
#include <ftw.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kMinPairs = 10;
constexpr int kWarmUpRuns = 3;
constexpr unsigned kRunTimeoutSeconds = 60;

volatile sig_atomic_t g_runningChild = 0;

void killRunningChild(int)
{
    if (g_runningChild > 0)
        kill(g_runningChild, SIGKILL);
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (std::string& t : texts)
        result.push_back(t.data());
    result.push_back(nullptr);
    return result;
}

// An X server on the first free display number, stopped with the bench.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        int ready[2];
        if (pipe(ready) != 0)
            throw std::runtime_error("pipe failed");
        m_pid = fork();
        if (m_pid < 0)
            throw std::runtime_error("fork failed");
        if (m_pid == 0) {
            close(ready[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        // Xvfb writes the display number it took once it accepts clients.
        std::string number;
        char c;
        while (read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (number.empty()) {
            stop();
            throw std::runtime_error("Xvfb did not start");
        }
        m_display = ":" + number;
    }
    ~VirtualDisplay() { stop(); }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return m_display; }

private:
    void stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

    pid_t m_pid = -1;
    std::string m_display;
};

// A home of its own, so that the editor's working folder and the caches land
// in a folder removed afterwards.
class TempHome {
public:
    TempHome()
    {
        char pattern[] = "/tmp/startup-bench-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
        mkdir((m_path + "/runtime").c_str(), 0700);
        mkdir((m_path + "/config").c_str(), 0700);
    }
    ~TempHome()
    {
        nftw(
            m_path.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return remove(p); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

struct Run {
    double ms = 0;
    std::string out;
};

// Starts the program, waits for it to end and gives the wall time from start to
// end and what it wrote to stdout.
Run runProgram(std::vector<std::string> args, std::vector<std::string> env)
{
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);

    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(spawned));
    }
    g_runningChild = pid;
    alarm(kRunTimeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const auto end = std::chrono::steady_clock::now();
    alarm(0);
    g_runningChild = 0;

    Run run;
    run.ms = std::chrono::duration<double, std::milli>(end - start).count();
    char buffer[256];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        run.out.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " did not end normally (killed after " +
                                 std::to_string(kRunTimeoutSeconds) + " s, or failed)");
    return run;
}

std::vector<std::string> childEnvironment(const VirtualDisplay& display, const TempHome& home)
{
    const std::vector<std::string> own = {"DISPLAY=" + display.name(),
                                          "QT_QPA_PLATFORM=xcb",
                                          "HOME=" + home.path(),
                                          "XDG_RUNTIME_DIR=" + home.path() + "/runtime",
                                          "XDG_CONFIG_HOME=" + home.path() + "/config",
                                          "ZLV_EXIT_AT_FIRST_PAINT=1"};
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string key = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(own.begin(), own.end(), [&](const std::string& o) { return o.starts_with(key); }))
            env.push_back(entry);
    }
    env.insert(env.end(), own.begin(), own.end());
    return env;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int bench(int argc, char* argv[])
{
    int pairs = 20;
    std::string editor = ZLV_EDITOR_PATH;
    std::string bare = ZLV_BARE_WINDOW_PATH;
    if (argc % 2 == 0)
        throw std::runtime_error("every option takes a value");
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--pairs")
            pairs = std::max(kMinPairs, std::atoi(argv[i + 1]));
        else if (option == "--editor")
            editor = argv[i + 1];
        else if (option == "--bare")
            bare = argv[i + 1];
        else
            throw std::runtime_error("unknown option " + option);
    }

    struct sigaction onAlarm {};
    onAlarm.sa_handler = killRunningChild;
    sigaction(SIGALRM, &onAlarm, nullptr);

    VirtualDisplay display;
    TempHome home;
    const std::vector<std::string> env = childEnvironment(display, home);

    // The editor names its window's size as it ends; the bare window takes it.
    const std::string size = runProgram({editor}, env).out;
    int width = 0;
    int height = 0;
    if (std::sscanf(size.c_str(), "%d %d", &width, &height) != 2)
        throw std::runtime_error("the editor did not report its first paint; is ZLV_EXIT_AT_FIRST_PAINT honoured?");
    const std::vector<std::string> editorArgs = {editor};
    const std::vector<std::string> bareArgs = {bare, std::to_string(width), std::to_string(height)};
    for (int i = 0; i < kWarmUpRuns; ++i) {
        runProgram(editorArgs, env);
        runProgram(bareArgs, env);
    }

    std::printf("display %s, window %d x %d, %d pairs\n", display.name().c_str(), width, height, pairs);
    std::printf("pair  editor ms  bare ms  ratio\n");
    std::vector<double> editorMs, bareMs, ratios;
    for (int i = 0; i < pairs; ++i) {
        double e, b;
        if (i % 2 == 0) {
            e = runProgram(editorArgs, env).ms;
            b = runProgram(bareArgs, env).ms;
        } else {
            b = runProgram(bareArgs, env).ms;
            e = runProgram(editorArgs, env).ms;
        }
        editorMs.push_back(e);
        bareMs.push_back(b);
        ratios.push_back(e / b);
        std::printf("%4d  %9.1f  %7.1f  %5.2f\n", i + 1, e, b, e / b);
        std::fflush(stdout);
    }
    std::printf("median: editor %.1f ms, bare window %.1f ms, ratio %.2f\n", median(editorMs), median(bareMs),
                median(ratios));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return bench(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
}
