#include "ogg.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace sndgen {

namespace {

// The libvorbis state, released in the reverse order of its set-up.
struct Encoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool ready = false;

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (ready) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

void write_page(std::ofstream& out, const ogg_page& page) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
}

}  // namespace

void write_ogg(const std::filesystem::path& file, const Audio& audio, float quality, std::uint32_t serial) {
    const int channels = static_cast<int>(audio.channels.size());
    if (channels < 1 || channels > 2) throw std::runtime_error(file.string() + ": needs one or two channels");
    const std::size_t frames = audio.channels.front().size();

    Encoder enc;
    if (vorbis_encode_init_vbr(&enc.info, channels, kRate, quality) != 0) {
        throw std::runtime_error(file.string() + ": the encoder refused the settings");
    }
    vorbis_comment_add_tag(&enc.comment, "ENCODER", "sndgen");
    vorbis_analysis_init(&enc.dsp, &enc.info);
    vorbis_block_init(&enc.dsp, &enc.block);
    ogg_stream_init(&enc.stream, static_cast<int>(serial));
    enc.ready = true;

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error(file.string() + ": cannot open for writing");

    ogg_packet header, header_comment, header_code;
    vorbis_analysis_headerout(&enc.dsp, &enc.comment, &header, &header_comment, &header_code);
    ogg_stream_packetin(&enc.stream, &header);
    ogg_stream_packetin(&enc.stream, &header_comment);
    ogg_stream_packetin(&enc.stream, &header_code);
    ogg_page page;
    // Audio must start on a fresh page.
    while (ogg_stream_flush(&enc.stream, &page) != 0) write_page(out, page);

    constexpr std::size_t kChunk = 1024;
    std::size_t done = 0;
    bool end_of_stream = false;
    while (!end_of_stream) {
        const std::size_t count = std::min(kChunk, frames - done);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&enc.dsp, static_cast<int>(count));
            for (int c = 0; c < channels; ++c) {
                const Samples& src = audio.channels[static_cast<std::size_t>(c)];
                std::copy_n(src.begin() + static_cast<std::ptrdiff_t>(done), count, buffer[c]);
            }
            done += count;
        }
        // Zero frames tells the encoder the input has ended.
        vorbis_analysis_wrote(&enc.dsp, static_cast<int>(count));

        while (vorbis_analysis_blockout(&enc.dsp, &enc.block) == 1) {
            vorbis_analysis(&enc.block, nullptr);
            vorbis_bitrate_addblock(&enc.block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&enc.dsp, &packet) != 0) {
                ogg_stream_packetin(&enc.stream, &packet);
                while (ogg_stream_pageout(&enc.stream, &page) != 0) {
                    write_page(out, page);
                    if (ogg_page_eos(&page) != 0) end_of_stream = true;
                }
            }
        }
        if (count == 0 && !end_of_stream) {
            // Everything is in; push out whatever is still buffered.
            while (ogg_stream_flush(&enc.stream, &page) != 0) {
                write_page(out, page);
                if (ogg_page_eos(&page) != 0) end_of_stream = true;
            }
            end_of_stream = true;
        }
    }
    out.close();
    if (!out) throw std::runtime_error(file.string() + ": write failed");
}

Decoded read_back(const std::filesystem::path& file) {
    OggVorbis_File vf;
    if (ov_fopen(file.c_str(), &vf) != 0) throw std::runtime_error(file.string() + ": cannot decode");
    const vorbis_info* info = ov_info(&vf, -1);
    const int channels = info->channels;
    const long rate = info->rate;
    const std::size_t edge_frames = static_cast<std::size_t>(rate / 2000);  // 0.5 ms

    std::vector<float> mono_peak;  // per-frame peak over channels, for the edge check
    Decoded d;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long got = ov_read_float(&vf, &pcm, 4096, &section);
        if (got < 0) {
            ov_clear(&vf);
            throw std::runtime_error(file.string() + ": corrupt stream");
        }
        if (got == 0) break;
        for (long i = 0; i < got; ++i) {
            float frame_peak = 0;
            for (int c = 0; c < channels; ++c) frame_peak = std::max(frame_peak, std::fabs(pcm[c][i]));
            mono_peak.push_back(frame_peak);
        }
    }
    ov_clear(&vf);

    d.seconds = static_cast<double>(mono_peak.size()) / static_cast<double>(rate);
    for (std::size_t i = 0; i < mono_peak.size(); ++i) {
        d.peak = std::max(d.peak, static_cast<double>(mono_peak[i]));
        if (i < edge_frames) d.start = std::max(d.start, static_cast<double>(mono_peak[i]));
        if (i + edge_frames >= mono_peak.size()) d.end = std::max(d.end, static_cast<double>(mono_peak[i]));
    }
    return d;
}

}  // namespace sndgen
