#include "export/WavWriter.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QByteArray Header(std::uint32_t dataBytes)
{
    QByteArray h;
    auto put32 = [&h](std::uint32_t v) {
        char b[4];
        qToLittleEndian(v, b);
        h.append(b, 4);
    };
    auto put16 = [&h](std::uint16_t v) {
        char b[2];
        qToLittleEndian(v, b);
        h.append(b, 2);
    };
    h.append("RIFF", 4);
    put32(36 + dataBytes);
    h.append("WAVEfmt ", 8);
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(WavWriter::kRate);
    put32(WavWriter::kRate * 2);
    put16(2);
    put16(16);
    h.append("data", 4);
    put32(dataBytes);
    return h;
}

} // namespace

WavWriter::WavWriter(QIODevice& device, int fps, int height)
    : device_(device), fps_(std::max(1, fps)), synth_(std::make_unique<ToneSynth>(kRate))
{
    synth_->SetHeight(height);
}

bool WavWriter::Write(const ExportFrame& frame)
{
    if (!started_) {
        started_ = true;
        if (!Put(device_, Header(0)))
            return false;
    }
    for (int voice = 0; voice < ToneSynth::kVoices; ++voice)
        if (frame.tones[static_cast<std::size_t>(voice)] >= 0)
            synth_->Touch(voice, frame.tones[static_cast<std::size_t>(voice)]);
    if (frame.last)
        synth_->Silence();
    const std::int64_t end = PeriodStart(frame.index + frame.periods, fps_, kRate);
    std::vector<float> samples;
    std::vector<std::int16_t> pcm;
    while (samples_ < end) {
        const int n = static_cast<int>(std::min<std::int64_t>(end - samples_, 4096));
        samples.resize(static_cast<std::size_t>(n));
        synth_->Render(samples.data(), n);
        pcm.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            pcm[static_cast<std::size_t>(i)] = qToLittleEndian(static_cast<std::int16_t>(
                std::lround(std::clamp(samples[static_cast<std::size_t>(i)], -1.0f, 1.0f) * 32767.0f)));
        const qint64 bytes = static_cast<qint64>(n) * 2;
        if (!Put(device_, reinterpret_cast<const char*>(pcm.data()), bytes))
            return false;
        samples_ += n;
    }
    return true;
}

bool WavWriter::Finish()
{
    if (!started_)
        return Fail(QStringLiteral("no frames"));
    const qint64 end = device_.pos();
    if (!device_.seek(0))
        return Fail(device_.errorString());
    if (!Put(device_, Header(static_cast<std::uint32_t>(samples_ * 2))))
        return false;
    if (!device_.seek(end))
        return Fail(device_.errorString());
    return true;
}
