// How closely the slow-down timer keeps its period, and what one tick's busy
// work costs for different tweaks.
#include "launch/SlowDown.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Median time of one BusyWork(tweak) call over |runs| calls, in milliseconds.
double BusyWorkMs(int tweak, int runs, LARGE_INTEGER frequency) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        SlowDown::BusyWork(tweak);
        QueryPerformanceCounter(&b);
        times.push_back(Seconds(a, b, frequency) * 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    std::printf("Timer rate (tweak 1, about 2 s per slider position)\n");
    std::printf("%8s %10s %10s %10s %14s %14s\n", "slider", "label", "period ms", "ticks", "ticks/s", "mean ms");
    std::atomic<int> tweak{1};
    for (int position : {10, 60, 110}) {
        SlowDown slow(tweak);
        slow.SetPeriod(SlowDown::PeriodForSlider(position));
        LARGE_INTEGER start, end;
        const unsigned long long before = slow.Ticks();
        QueryPerformanceCounter(&start);
        if (!slow.Start()) {
            std::printf("%8d  the timer did not start\n", position);
            continue;
        }
        Sleep(2000);
        slow.Stop();
        QueryPerformanceCounter(&end);
        const unsigned long long ticks = slow.Ticks() - before;
        const double seconds = Seconds(start, end, frequency);
        std::printf("%8d %10s %10u %10llu %14.2f %14.2f\n", position, SlowDown::LabelForSlider(position).c_str(),
                    slow.Period(), ticks, ticks / seconds, ticks ? seconds * 1000.0 / ticks : 0.0);
    }

    std::printf("\nBusyWork cost per call (median of 15)\n");
    std::printf("%8s %12s %12s\n", "tweak", "ms", "vs tweak 1");
    BusyWorkMs(1, 3, frequency);  // warm up
    double base = 0;
    for (int t : {1, 4, 10}) {
        const double ms = BusyWorkMs(t, 15, frequency);
        if (t == 1) base = ms;
        std::printf("%8d %12.3f %12.2f\n", t, ms, base > 0 ? ms / base : 0.0);
    }
    return 0;
}
