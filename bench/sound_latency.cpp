// The time from a key press to its sound, as a player would hear it: this
// probe presses Ctrl through the X test extension and listens, through
// SDL's capture, to the default recording source (the bench points it at
// the monitor of the null sink the game plays into). A cue's start is the
// first loud sample after 50 ms of quiet; its time is that of the capture
// buffer that held it, less the samples that followed in the buffer. It
// prints each shot's delay in milliseconds, then the median and the 95th
// percentile. The game must be in play, under the pointer, with only the
// shot's sound left to play.
// The shots come a little under a second apart, or as far apart as asked,
// so that the game's audio device has rested before each.
// Usage: sound_latency shots [milliseconds between shots]
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int rate = 44100;
constexpr int loud = 2000;
constexpr int quietSamples = rate / 20;

std::int64_t nanoseconds(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

struct Listener {
    std::atomic<std::int64_t> lastStart{0};  // steady clock, ns
    int quiet = 0;

    static void SDLCALL heard(void* self, Uint8* stream, int length) {
        auto& me = *static_cast<Listener*>(self);
        const std::int64_t now = nanoseconds(Clock::now());
        const auto* samples = reinterpret_cast<const Sint16*>(stream);
        const int count = length / 2;
        for (int i = 0; i < count; ++i) {
            if (std::abs(samples[i]) < loud) {
                ++me.quiet;
                continue;
            }
            if (me.quiet >= quietSamples)
                me.lastStart = now - static_cast<std::int64_t>(count - i) * 1000000000 / rate;
            me.quiet = 0;
        }
    }
};

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

}  // namespace

int main(int argc, char** argv) {
    const int shots = argc > 1 ? std::atoi(argv[1]) : 20;
    const int gap = argc > 2 ? std::atoi(argv[2]) : 930;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "sound_latency: no X display\n");
        return 1;
    }
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "sound_latency: %s\n", SDL_GetError());
        return 1;
    }
    Listener listener;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 256;
    want.callback = Listener::heard;
    want.userdata = &listener;
    const SDL_AudioDeviceID capture = SDL_OpenAudioDevice(nullptr, 1, &want, nullptr, 0);
    if (!capture) {
        std::fprintf(stderr, "sound_latency: %s\n", SDL_GetError());
        return 1;
    }
    SDL_PauseAudioDevice(capture, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    std::vector<double> delays;
    for (int shot = 0; shot < shots; ++shot) {
        const std::int64_t before = listener.lastStart;
        const std::int64_t pressed = nanoseconds(Clock::now());
        XTestFakeKeyEvent(display, ctrl, True, 0);
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        XTestFakeKeyEvent(display, ctrl, False, 0);
        XFlush(display);
        // The missile flies for well under a second; its cue lasts 0.2 s.
        std::this_thread::sleep_for(std::chrono::milliseconds(gap - 30));
        const std::int64_t start = listener.lastStart;
        if (start == before || start < pressed) {
            std::printf("shot %d: not heard\n", shot + 1);
            continue;
        }
        delays.push_back(static_cast<double>(start - pressed) / 1e6);
        std::printf("shot %d: %.1f ms\n", shot + 1, delays.back());
    }
    SDL_CloseAudioDevice(capture);
    SDL_Quit();
    XCloseDisplay(display);
    if (delays.empty()) return 1;
    std::printf("heard %zu of %d shots: median %.1f ms, 95th percentile %.1f ms\n", delays.size(), shots,
                percentile(delays, 0.5), percentile(delays, 0.95));
    return 0;
}
