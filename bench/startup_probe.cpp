// Whole-process start-up measurement: starts a program on the current X display, waits for
// its first top-level window to be mapped, then reads the process's anonymous resident
// memory two seconds later. Prints one line per run and the medians.
//
//   startup_probe RUNS PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [ARGS...]\n", argv[0]);
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

    std::vector<double> startMs;
    std::vector<long> rss;
    for (int run = 0; run < runs; ++run) {
        XSync(display, True); // drop events of earlier runs
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execvp(argv[2], argv + 2);
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
        startMs.push_back(ms);
        rss.push_back(kib);
        std::printf("run %2d: first window after %6.1f ms, RssAnon %6.2f MiB\n", run + 1, ms,
                    static_cast<double>(kib) / 1024.0);
    }
    std::printf("median: first window after %.1f ms, RssAnon %.2f MiB\n", median(startMs),
                static_cast<double>(median(rss)) / 1024.0);
    XCloseDisplay(display);
    return 0;
}
