// The run's sound as a WAV file: the tones of each frame's steps played by
// the synthesizer of View > Sound, rendered offline, each starting at the
// time of the frame that shows its step. 16-bit mono.
#pragma once

#include "export/FrameWriter.h"
#include "sound/ToneSynth.h"

#include <QIODevice>

#include <memory>

class WavWriter final : public FrameWriter {
public:
    static constexpr int kRate = 44100;
    // `device` open for writing and able to seek back (the lengths go last).
    WavWriter(QIODevice& device, int fps, int height);
    bool Write(const ExportFrame& frame) override;
    bool Finish() override;
    // Samples written so far.
    std::int64_t Samples() const { return samples_; }

private:
    QIODevice& device_;
    int fps_;
    std::unique_ptr<ToneSynth> synth_;
    std::int64_t samples_ = 0;
    bool started_ = false;
};
