#include "components/CdConvert.h"

#include "components/CdImage.h"
#include "core/Errors.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#ifdef VORNHALE_HAVE_SNDFILE
#include <sndfile.h>
#endif

namespace cdimage {
#ifdef VORNHALE_HAVE_SNDFILE
bool canConvert() { return true; }
#else
bool canConvert() { return false; }
#endif
}  // namespace cdimage

namespace cdconvert {

#ifndef VORNHALE_HAVE_SNDFILE
bool toCdAudio(const std::string& source, const std::string&, const std::function<bool(double)>&)
{
    throw LauncherError("\"" + source + "\" cannot be converted: this launcher has no decoder");
}
#else
namespace {
constexpr int SectorBytes = 2352;

struct Closer {
    void operator()(SNDFILE* file) const { sf_close(file); }
    void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

bool toCdAudio(const std::string& source, const std::string& target, const std::function<bool(double)>& progress)
{
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, Closer> in(sf_open(source.c_str(), SFM_READ, &info));
    if (!in)
        throw LauncherError("\"" + source + "\" cannot be decoded (" + sf_strerror(nullptr) + ")");
    if (info.samplerate != 44100 || info.channels < 1 || info.channels > 2)
        throw LauncherError("\"" + source + "\" is no CD audio: it is not 44.1 kHz mono or stereo");

    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
    const std::string part = target + ".part";
    std::unique_ptr<std::FILE, Closer> out(std::fopen(part.c_str(), "wb"));
    if (!out)
        throw errors::cannotCreateFile(target);

    std::vector<short> frames(4096 * 2);
    std::vector<unsigned char> bytes;
    long long written = 0;
    bool failed = false, stopped = false;
    for (;;) {
        const sf_count_t got = sf_readf_short(in.get(), frames.data(), 4096);
        if (got <= 0)
            break;
        bytes.clear();
        for (sf_count_t i = 0; i < got; ++i)
            for (int channel = 0; channel < 2; ++channel) {
                const short sample = frames[std::size_t(i * info.channels + (info.channels == 2 ? channel : 0))];
                bytes.push_back((unsigned char)(sample & 0xff));
                bytes.push_back((unsigned char)((sample >> 8) & 0xff));
            }
        failed = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size();
        written += (long long)bytes.size();
        const double share = info.frames > 0 ? double(written / 4) / double(info.frames) : 0.0;
        stopped = !failed && !progress(share > 1 ? 1 : share);
        if (failed || stopped)
            break;
    }
    // DOSBox counts a track in whole sectors.
    const std::vector<unsigned char> padding(std::size_t((SectorBytes - written % SectorBytes) % SectorBytes), 0);
    failed = failed || std::fwrite(padding.data(), 1, padding.size(), out.get()) != padding.size();
    failed = std::fflush(out.get()) != 0 || failed;
    out.reset();
    if (failed || stopped) {
        std::filesystem::remove(part, error);
        if (failed)
            throw errors::cannotCreateFile(target);
        return false;
    }
    std::filesystem::rename(part, target, error);
    if (error)
        throw errors::cannotCreateFile(target);
    return true;
}
#endif

}  // namespace cdconvert
