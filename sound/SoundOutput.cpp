#include "sound/SoundOutput.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRate = 44100;
// About 12 ms a buffer: the sound stays close behind the picture.
constexpr int kFrames = 512;

std::string Because(const std::string& what)
{
    const char* detail = SDL_GetError();
    return detail && *detail ? what + " (" + detail + ")" : what;
}

} // namespace

SoundOutput::~SoundOutput()
{
    Close();
    if (started_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SoundOutput::Probe()
{
    if (!started_) {
        // The window owns the process's signals and events; SDL takes none.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Ordivan");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Sort sound");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            reason_ = Because(brief_ = "No audio system");
            return false;
        }
        started_ = true;
    }
    // -1: the driver cannot count its devices; opening will tell.
    if (!IsOpen() && SDL_GetNumAudioDevices(0) == 0) {
        reason_ = brief_ = "No audio device";
        return false;
    }
    return true;
}

ToneSynth* SoundOutput::Open()
{
    if (IsOpen())
        return synth_.get();
    if (!Probe())
        return nullptr;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = kFrames;
    want.callback = &SoundOutput::Fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    // The rate may differ from the one asked for; the synthesiser follows it.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device == 0) {
        reason_ = Because(brief_ = "No audio device");
        return nullptr;
    }
    synth_ = std::make_unique<ToneSynth>(have.freq);
    mix_.assign(static_cast<std::size_t>(std::max<int>(have.samples, kFrames)), 0.0f);
    device_ = device;
    bufferFrames_ = have.samples;
    played_.store(0, std::memory_order_release);
    resting_ = true; // SDL opens a device paused
    reason_.clear();
    brief_.clear();
    return synth_.get();
}

void SoundOutput::Close()
{
    if (!IsOpen())
        return;
    if (!resting_) {
        // Let the fade reach the device, so the sound ends without a click.
        synth_->Silence();
        SDL_Delay(static_cast<Uint32>(1000 * ToneSynth::kFade) + 2 * 1000 * kFrames / kRate);
    }
    // Waits for the callback to return; after this no thread reads the synth.
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    resting_ = true;
    synth_.reset();
}

void SoundOutput::Resume()
{
    if (IsOpen() && resting_) {
        SDL_PauseAudioDevice(device_, 0);
        resting_ = false;
    }
}

void SoundOutput::Rest()
{
    if (IsOpen() && !resting_) {
        SDL_PauseAudioDevice(device_, 1);
        resting_ = true;
    }
}

void SoundOutput::Fill(void* self, std::uint8_t* stream, int length)
{
    auto& output = *static_cast<SoundOutput*>(self);
    auto* samples = reinterpret_cast<std::int16_t*>(stream);
    int frames = length / static_cast<int>(sizeof(std::int16_t));
    while (frames > 0) {
        const int chunk = std::min(frames, static_cast<int>(output.mix_.size()));
        output.synth_->Render(output.mix_.data(), chunk);
        for (int i = 0; i < chunk; ++i)
            samples[i] = static_cast<std::int16_t>(std::lround(output.mix_[i] * 32767.0f));
        samples += chunk;
        frames -= chunk;
        output.played_.fetch_add(static_cast<std::uint64_t>(chunk), std::memory_order_release);
    }
}
