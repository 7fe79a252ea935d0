#include "tools/assets/ogg_writer.h"

#include "tools/assets/synth.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool WritePages(ogg_stream_state& stream, FILE* file, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        if (std::fwrite(page.header, 1, page.header_len, file) !=
                static_cast<size_t>(page.header_len) ||
            std::fwrite(page.body, 1, page.body_len, file) != static_cast<size_t>(page.body_len))
            return false;
    }
    return true;
}

int SerialFor(const std::string& path) {
    uint32_t hash = 2166136261u;
    for (char c : path.substr(path.find_last_of('/') + 1))
        hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    return static_cast<int>(hash & 0x7fffffff);
}

} // namespace

bool WriteOggVorbis(const std::string& path, const std::vector<float>& left,
                    const std::vector<float>* right, float quality, bool loop) {
    const int channels = right ? 2 : 1;
    const size_t length = left.size();
    if (length == 0 || (right && right->size() != length)) {
        std::fprintf(stderr, "marrowgate-assets: nothing to encode for %s\n", path.c_str());
        return false;
    }
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        std::fprintf(stderr, "marrowgate-assets: cannot write %s\n", path.c_str());
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, kSampleRate, quality) != 0) {
        std::fprintf(stderr, "marrowgate-assets: the Vorbis encoder refused %d channels at %.2f\n",
                     channels, quality);
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", path.substr(path.find_last_of('/') + 1).c_str());
    vorbis_comment_add_tag(&comment, "ARTIST", "Marrowgate");

    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    const std::vector<float>* sources[2] = {&left, right};
    auto looped = [&](int channel, size_t i) { return (*sources[channel])[i % length]; };
    if (loop) {
        // The encoder starts with half a long block ahead of the first sample, which it would
        // fill by predicting backwards from the start; when looping, the end comes first.
        const size_t ahead = static_cast<size_t>(dsp.centerW);
        for (int c = 0; c < channels; ++c)
            for (size_t i = 0; i < ahead; ++i)
                dsp.pcm[c][i] = looped(c, length * (ahead / length + 1) - ahead + i);
        dsp.preextrapolate = 1;
    }
    ogg_stream_state stream;
    ogg_stream_init(&stream, SerialFor(path));

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    bool ok = WritePages(stream, file.get(), true);

    constexpr size_t kChunk = 4096;
    size_t done = 0;
    bool ended = false, signalled = false;
    while (ok && !ended) {
        const size_t count = std::min(kChunk, length - done);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (int c = 0; c < channels; ++c)
                std::copy(sources[c]->begin() + done, sources[c]->begin() + done + count,
                          buffer[c]);
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        } else if (signalled) {
            break; // the encoder has given out everything it will
        } else if (!loop) {
            signalled = true;
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            signalled = true;
            // What the end-of-stream call does, except that the two long blocks past the end
            // hold the loop's start rather than a prediction; the final granule position still
            // cuts the stream at its true length.
            const int past = 2 * vorbis_info_blocksize(&info, 1);
            float** buffer = vorbis_analysis_buffer(&dsp, past);
            for (int c = 0; c < channels; ++c)
                for (int i = 0; i < past; ++i)
                    buffer[c][i] = looped(c, static_cast<size_t>(i));
            dsp.eofflag = dsp.pcm_current;
            dsp.pcm_current += past;
        }
        while (ok && vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (ok && vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ok = WritePages(stream, file.get(), false);
                if (packet.e_o_s)
                    ended = true;
            }
        }
    }
    if (ok)
        ok = WritePages(stream, file.get(), true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    if (!ok)
        std::fprintf(stderr, "marrowgate-assets: writing %s failed\n", path.c_str());
    return ok;
}

bool ReadOggVorbis(const std::string& path, DecodedOgg& decoded) {
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) {
        std::fprintf(stderr, "marrowgate-assets: %s is not a readable Ogg Vorbis file\n",
                     path.c_str());
        return false;
    }
    const vorbis_info* info = ov_info(&vf, -1);
    decoded.channels = info->channels;
    decoded.rate = info->rate;
    decoded.samples.assign(info->channels, {});
    const ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (total > 0)
        for (auto& channel : decoded.samples)
            channel.reserve(static_cast<size_t>(total));
    bool ok = true;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long got = ov_read_float(&vf, &pcm, 4096, &section);
        if (got == 0)
            break;
        if (got < 0) {
            std::fprintf(stderr, "marrowgate-assets: %s is damaged (error %ld)\n", path.c_str(),
                         got);
            ok = false;
            break;
        }
        for (int c = 0; c < decoded.channels; ++c)
            decoded.samples[c].insert(decoded.samples[c].end(), pcm[c], pcm[c] + got);
    }
    ov_clear(&vf);
    return ok;
}
