// The audio device the tone of the sort plays on, through SDL's audio (its
// own thread pulls samples from the synthesiser). Only the audio subsystem
// is started, never SDL's video or events.
#pragma once

#include "sound/ToneSynth.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SoundOutput {
public:
    SoundOutput() = default;
    // Closes the device and stops the audio subsystem if this started it.
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Starts the audio subsystem and looks for an output device; false,
    // with the reason, when there is none. Cheap after the first call.
    bool Probe();
    // Opens the default output device, resting, with a synthesiser at the
    // device's rate; null, with the reason, when it cannot be opened.
    ToneSynth* Open();
    // Fades out what still sounds (a few tens of milliseconds), then closes.
    void Close();
    bool IsOpen() const { return device_ != 0; }
    ToneSynth* Synth() const { return synth_.get(); }
    // Why there is no sound: a few words for the status bar, then SDL's own.
    const std::string& Reason() const { return reason_; }
    // The few words alone: "No audio system" or "No audio device".
    const std::string& Brief() const { return brief_; }
    // Frames the synthesiser has rendered for the device since it opened,
    // and the size of one of the device's buffers.
    std::uint64_t FramesPlayed() const { return played_.load(std::memory_order_acquire); }
    int BufferFrames() const { return bufferFrames_; }

    // Lets the device pull samples, or rests it (no callback, no work).
    void Resume();
    void Rest();
    bool Resting() const { return resting_; }

private:
    static void Fill(void* self, std::uint8_t* stream, int length);

    bool started_ = false;
    std::uint32_t device_ = 0;
    bool resting_ = true;
    std::unique_ptr<ToneSynth> synth_;
    std::vector<float> mix_; // the callback's scratch buffer
    std::string reason_;
    std::string brief_;
    std::atomic<std::uint64_t> played_{0};
    int bufferFrames_ = 0;
};
