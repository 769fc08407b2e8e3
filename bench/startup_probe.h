#pragma once
// Shows `window`, ends the program at its first painted frame, and prints
// "<milliseconds since process start> <peak resident KiB>".

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

inline double millisecondsSinceProcessStart()
{
    // /proc/self/stat field 22 is the start time in clock ticks since boot.
    FILE* f = std::fopen("/proc/self/stat", "r");
    unsigned long long start = 0;
    if (f) {
        char buffer[1024];
        const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
        buffer[n] = 0;
        std::fclose(f);
        const char* p = buffer;
        for (const char* q = buffer; *q; ++q)
            if (*q == ')')
                p = q;  // the command name may hold blanks; fields follow the last ')'
        int field = 2;
        for (; *p && field < 22; ++p)
            if (*p == ' ')
                ++field;
        start = std::strtoull(p, nullptr, 10);
    }
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - double(start) / ticks) * 1000.0;
}

class FirstFrame : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // Let this paint reach the screen, then stop.
            QTimer::singleShot(0, [] {
                rusage usage;
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%.1f %ld\n", millisecondsSinceProcessStart(), usage.ru_maxrss);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

inline int runUntilFirstFrame(QApplication& app, QWidget* window)
{
    FirstFrame probe;
    window->installEventFilter(&probe);
    window->show();
    return app.exec();
}
