#include <gtest/gtest.h>

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const std::string MediaDir = std::string(LORNHAVEN_RUN_DIR) + "/Media/";

std::vector<char> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(MediaMusic, LoopsForAMinuteInStereoAndIsNotSilent)
{
    OggVorbis_File file;
    ASSERT_EQ(ov_fopen((MediaDir + "music.ogg").c_str(), &file), 0);
    vorbis_info* info = ov_info(&file, -1);
    EXPECT_EQ(info->rate, 44100);
    EXPECT_EQ(info->channels, 2);
    ogg_int64_t total = ov_pcm_total(&file, -1);
    EXPECT_GE(total, 60 * 44100);
    // Decode it all: loud enough, never clipped hard, and the end meets the start (no click).
    double sum = 0;
    long count = 0;
    float first[2] = {0, 0}, last[2] = {0, 0}, peak = 0;
    bool started = false;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long n = ov_read_float(&file, &pcm, 4096, &section);
        if (n <= 0)
            break;
        for (long i = 0; i < n; ++i)
            for (int c = 0; c < 2; ++c) {
                float v = pcm[c][i];
                sum += double(v) * v;
                peak = std::fmax(peak, std::fabs(v));
                if (!started)
                    first[c] = v;
                last[c] = v;
            }
        started = true;
        count += n;
    }
    ov_clear(&file);
    EXPECT_EQ(count, total);
    double rms = std::sqrt(sum / (2.0 * count));
    EXPECT_GT(rms, 0.05);
    EXPECT_LT(peak, 1.01f);
    EXPECT_NEAR(first[0], last[0], 0.15f);
    EXPECT_NEAR(first[1], last[1], 0.15f);
    EXPECT_LT(fileBytes(MediaDir + "music.ogg").size(), 2u * 1024 * 1024);
}

// Running the generator again gives the same bytes for every file the build made.
TEST(MediaGenerator, IsDeterministic)
{
    const std::string generator = std::string(LORNHAVEN_RUN_DIR) + "/../tools/mediagen/mediagen";
    // A folder of its own: other builds on the machine may run this test at the same time.
    std::string pattern = ::testing::TempDir() + "lornhaven_media_XXXXXX";
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
    const std::string out = pattern;
    ASSERT_EQ(std::system(("'" + generator + "' '" + out + "'").c_str()), 0);
    const char* names[] = {"splashscreen.png", "worldtexture.png", "hudtexture.png", "dashboard.png",
                           "lowpolyherotexture.png", "lowpolyzombietexture.png", "lowpolybigmonstertexture.png",
                           "lowpolyrobottexture.png", "music.ogg"};
    for (const char* name : names) {
        std::vector<char> built = fileBytes(MediaDir + name);
        EXPECT_FALSE(built.empty()) << name;
        EXPECT_TRUE(built == fileBytes(out + "/" + name)) << name;
        std::remove((out + "/" + name).c_str());
    }
    rmdir(out.c_str());
}

} // namespace
