// Whole-process start-up measurement: starts a program on the current X display, waits for
// its first top-level window to be mapped, then reads the process's anonymous resident
// memory two seconds later. Several programs, separated by "--", are measured in one pass,
// interleaved (run i of each in turn), so a machine that slows down or warms up during the
// pass weighs on all of them alike. Prints one line per run, each program's medians, and
// the last program's median start-up as a ratio to each other program's.
//
//   startup_probe RUNS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

long rssAnonKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "RssAnon:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

template <class T> T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Program {
    std::vector<char*> argv; // null-terminated
    std::string name;
    std::vector<double> startMs;
    std::vector<long> rssKiB;
};

std::vector<Program> programsFrom(int argc, char* argv[]) {
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0 || programs.empty()) {
            if (std::strcmp(argv[i], "--") == 0)
                ++i;
            if (i >= argc)
                break;
            Program p;
            const char* slash = std::strrchr(argv[i], '/');
            p.name = slash ? slash + 1 : argv[i];
            programs.push_back(std::move(p));
        }
        programs.back().argv.push_back(argv[i]);
    }
    for (Program& p : programs)
        p.argv.push_back(nullptr);
    return programs;
}

// Starts the program, waits for its first mapped top-level window, and after two seconds
// reads its memory and ends it.
void measure(Display* display, Window root, Program& program) {
    XSync(display, True); // drop events of earlier runs
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(program.argv[0], program.argv.data());
        _exit(127);
    }
    bool mapped = false;
    while (!mapped) {
        XEvent ev;
        XNextEvent(display, &ev);
        mapped = ev.type == MapNotify && ev.xmap.event == root && !ev.xmap.override_redirect;
    }
    const auto t1 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long kib = rssAnonKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    const double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
    program.startMs.push_back(ms);
    program.rssKiB.push_back(kib);
    std::printf("run %2zu %-16s first window after %6.1f ms, RssAnon %6.2f MiB\n",
                program.startMs.size(), program.name.c_str(), ms,
                static_cast<double>(kib) / 1024.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<Program> programs = programsFrom(argc, argv);
    if (argc < 3 || programs.empty()) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...\n",
                     argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    for (int run = 0; run < runs; ++run)
        for (Program& program : programs)
            measure(display, root, program);

    for (const Program& p : programs)
        std::printf("median %-16s first window after %6.1f ms, RssAnon %.2f MiB\n", p.name.c_str(),
                    median(p.startMs), static_cast<double>(median(p.rssKiB)) / 1024.0);
    const Program& last = programs.back();
    for (std::size_t i = 0; i + 1 < programs.size(); ++i)
        std::printf("ratio  %s / %s: %.2f\n", last.name.c_str(), programs[i].name.c_str(),
                    median(last.startMs) / median(programs[i].startMs));
    XCloseDisplay(display);
    return 0;
}
