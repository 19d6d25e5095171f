// Runs the built quorlin program as a user would and checks what it prints, returns and writes.
#include "tools/quorlin/Audio/AudioFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace
{

namespace fs = std::filesystem;
using quorlin::Channels;

const char* const LSP_PLUGIN = "/usr/lib/vst/lsp-plugins/comp-delay-stereo.so";

struct Result
{
    int code;
    std::string out;
    std::string err;
};

std::string read_text(const fs::path& a_path)
{
    std::ifstream file(a_path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class QuorlinCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir =
            fs::temp_directory_path() /
            ("quorlin-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& a_name) const { return (m_dir / a_name).string(); }

    Result run(const std::vector<std::string>& a_args, const std::string& a_environment = "") const
    {
        std::string command = a_environment + QUORLIN_PATH;
        for (const std::string& arg : a_args)
        {
            std::string quoted = "'";
            for (char c : arg)
                quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
            command += " " + quoted + "'";
        }
        command += " >" + path("stdout.txt") + " 2>" + path("stderr.txt") + " </dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_text(path("stdout.txt")),
                read_text(path("stderr.txt"))};
    }

    // A failure is exactly one line on standard error and leaves no file beside the others.
    void expect_clean_failure(const std::vector<std::string>& a_args, const std::string& a_part)
    {
        const auto before = files();
        const Result result = run(a_args);
        EXPECT_NE(result.code, 0);
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.err.rfind("quorlin: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(a_part), std::string::npos) << result.err;
        EXPECT_EQ(files(), before);
    }

    std::set<std::string> files() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir))
        {
            if (entry.path().filename() != "stdout.txt" && entry.path().filename() != "stderr.txt")
                names.insert(entry.path().filename().string());
        }
        return names;
    }

    void write_wav(const std::string& a_name, const Channels& a_channels, int a_rate = 44100)
    {
        quorlin::AudioWriter writer(path(a_name), a_name, int(a_channels.size()), a_rate);
        writer.write(a_channels, 0, a_channels[0].size());
        writer.close();
    }

    Channels read_wav(const std::string& a_name, int* a_rate = nullptr)
    {
        quorlin::AudioReader reader(path(a_name));
        Channels channels;
        while (reader.read(channels, 4096))
        {
        }
        if (a_rate)
            *a_rate = reader.get_sample_rate();
        return channels;
    }

    // A stereo ramp that differs between the channels, of a length no block size divides.
    Channels ramp(size_t a_frames = 5003)
    {
        Channels channels(2, std::vector<float>(a_frames));
        for (size_t i = 0; i < a_frames; ++i)
        {
            channels[0][i] = float(i % 1000) / 1000.0f;
            channels[1][i] = -float(i % 777) / 777.0f;
        }
        return channels;
    }

    fs::path m_dir;
};

TEST_F(QuorlinCli, HelpNamesEveryCommandAndItsOptions)
{
    Result result = run({"--help"});
    EXPECT_EQ(result.code, 0);
    for (const char* command : {"info", "params", "process", "bini", "bench", "style-check"})
        EXPECT_NE(result.out.find(command), std::string::npos) << command;
    const std::pair<std::vector<std::string>, const char*> helps[] = {
        {{"process", "--help"}, "--save-chunk"}, {{"params", "--help"}, "--set"},
        {{"info", "--help"}, "--plugin"},        {{"bench", "--help"}, "--interpolation"},
        {{"bini", "--help"}, "from-json"},       {{"bini", "dump", "--help"}, "FILE"}};
    for (const auto& [args, option] : helps)
    {
        result = run(args);
        EXPECT_EQ(result.code, 0);
        EXPECT_NE(result.out.find(option), std::string::npos) << args[0];
    }
    result = run({"frobnicate"});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
}

TEST_F(QuorlinCli, InfoAndParamsDescribeThePlugin)
{
    Result result = run({"info", "--plugin", GAIN_TEST_PLUGIN_PATH});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("name:       Gain Test\n"), std::string::npos);
    EXPECT_NE(result.out.find("0x47746573"), std::string::npos);
    EXPECT_NE(result.out.find("channels:   2 in, 2 out"), std::string::npos);
    EXPECT_NE(result.out.find("parameters: 2\n"), std::string::npos);

    result = run({"params", "--plugin", GAIN_TEST_PLUGIN_PATH, "--set", "Gain=0.25"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("\n    0  Gain "), std::string::npos);
    EXPECT_NE(result.out.find(" 0.250000\n"), std::string::npos);
    EXPECT_NE(result.out.find("\n    1  Midi "), std::string::npos);
}

TEST_F(QuorlinCli, ProcessIsTheSameForEveryBlockSize)
{
    const Channels input = ramp();
    write_wav("in.wav", input);
    std::vector<Channels> outputs;
    for (const char* block : {"512", "1", "4096", "random"})
    {
        const std::string out = std::string("out-") + block + ".wav";
        const Result result =
            run({"process", "--plugin", GAIN_TEST_PLUGIN_PATH, path("in.wav"), path(out), "--block",
                 block, "--set", "0=0.25", "--tempo", "60"});
        ASSERT_EQ(result.code, 0) << result.err;
        int rate = 0;
        outputs.push_back(read_wav(out, &rate));
        EXPECT_EQ(rate, 44100);
    }
    // The test plug-in adds the tempo it is told to its gain's product.
    ASSERT_EQ(outputs[0].size(), 2u);
    ASSERT_EQ(outputs[0][0].size(), input[0].size());
    for (size_t channel = 0; channel < 2; ++channel)
    {
        for (size_t i = 0; i < input[0].size(); i += 97)
            EXPECT_EQ(outputs[0][channel][i], input[channel][i] * 0.25f + 60.0f);
    }
    for (size_t i = 1; i < outputs.size(); ++i)
        EXPECT_EQ(outputs[i], outputs[0]) << i;
}

TEST_F(QuorlinCli, MonoFeedsBothInputsAndTheTailExtends)
{
    Channels mono = {ramp(1000)[0]};
    write_wav("mono.wav", mono, 8000);
    const Result result = run({"process", "--plugin", GAIN_TEST_PLUGIN_PATH, path("mono.wav"),
                               path("out.wav"), "--tail", "0.5", "--stopped"});
    ASSERT_EQ(result.code, 0) << result.err;
    const Channels out = read_wav("out.wav");
    ASSERT_EQ(out.size(), 2u);
    ASSERT_EQ(out[0].size(), 1000u + 4000u);
    EXPECT_EQ(out[0], out[1]);
    EXPECT_EQ(out[0][999], mono[0][999] * 0.5f + 120.0f);
    EXPECT_EQ(out[0][4999], 120.0f);
}

TEST_F(QuorlinCli, WithoutInputTheDemoSignalIsRendered)
{
    const Result result = run({"process", "--plugin", GAIN_TEST_PLUGIN_PATH, "--demo",
                               path("demo.wav"), "--set", "Gain=1", "--tempo", "1"});
    ASSERT_EQ(result.code, 0) << result.err;
    int rate = 0;
    const Channels out = read_wav("demo.wav", &rate);
    EXPECT_EQ(rate, 48000);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_GE(out[0].size(), 48000u * 3);
    float peak = 0.0f;
    for (float sample : out[0])
        peak = std::max(peak, std::abs(sample - 1.0f));
    EXPECT_GT(peak, 0.1f);
    EXPECT_LT(peak, 1.0f);
}

TEST_F(QuorlinCli, BadInputFailsInOneLineAndWritesNothing)
{
    write_wav("in.wav", ramp(100));
    std::ofstream(path("old.wav")) << "previous result";
    std::ofstream(path("not-audio.wav")) << "text";
    std::ofstream(path("a-file")) << "x";
    const std::string gain = GAIN_TEST_PLUGIN_PATH;
    const std::string in = path("in.wav");
    const std::string out = path("old.wav");
    auto process = [&](std::vector<std::string> a_extra)
    {
        std::vector<std::string> args = {"process", "--plugin", gain, in, out};
        args.insert(args.end(), a_extra.begin(), a_extra.end());
        return args;
    };
    expect_clean_failure({"process", "--plugin", gain, path("missing.wav"), out},
                         "Cannot read audio file");
    expect_clean_failure({"process", "--plugin", gain, path("not-audio.wav"), out},
                         "Cannot read audio file");
    expect_clean_failure(process({"--set", "Volume=0.5"}), "no parameter named \"Volume\"");
    expect_clean_failure(process({"--set", "2=0.5"}), "no parameter with index 2");
    expect_clean_failure(process({"--set", "Gain=1.5"}), "outside 0..1");
    expect_clean_failure(process({"--set", "Gain=-0.1"}), "outside 0..1");
    expect_clean_failure(process({"--set", "Gain=loud"}), "is not a number");
    expect_clean_failure(process({"--set", "Gain"}), "expected NAME=VALUE");
    expect_clean_failure(process({"--preset", path("missing.preset")}), "Cannot read preset");
    expect_clean_failure(process({"--chunk", path("missing.chunk")}), "Cannot read chunk");
    expect_clean_failure(process({"--block", "0"}), "--block");
    expect_clean_failure({"process", "--plugin", gain, in, path("no-folder/out.wav")},
                         "Cannot write");
    expect_clean_failure({"process", "--plugin", gain, in, path("a-file/out.wav")}, "Cannot write");
    expect_clean_failure({"process", "--plugin", path("none.so"), in, out}, "No plug-in at");
    expect_clean_failure({"info", "--plugin", path("a-file")}, "Cannot load plug-in");
    EXPECT_EQ(read_text(path("old.wav")), "previous result");
}

TEST_F(QuorlinCli, PresetsAndChunksReachTheBiniPlugin)
{
    write_wav("in.wav", ramp(300));
    const std::string plugin = BINI_TEST_PLUGIN_PATH;
    Result result = run({"process", "--plugin", plugin, path("in.wav"), path("a.wav"), "--set",
                         "Gain=0.3", "--save-chunk", path("state.chunk")});
    ASSERT_EQ(result.code, 0) << result.err;

    // The chunk restores the gain; its JSON form, edited, becomes a preset without the instance
    // state, which quorlin completes so that the plug-in accepts it.
    result = run({"process", "--plugin", plugin, path("in.wav"), path("b.wav"), "--chunk",
                  path("state.chunk")});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(read_wav("b.wav"), read_wav("a.wav"));

    ASSERT_EQ(run({"bini", "to-json", path("state.chunk"), path("state.json")}).code, 0);
    std::string json = read_text(path("state.json"));
    const size_t state = json.find(",\n      {\n        \"id\": \"Stat\"");
    ASSERT_NE(state, std::string::npos) << json;
    json.erase(state, json.find("\n      }", state + 3) + 8 - state);
    json.replace(json.find("0.3"), 3, "0.125");
    std::ofstream(path("preset.json")) << json;
    result = run({"bini", "from-json", path("preset.json"), path("quiet.preset")});
    ASSERT_EQ(result.code, 0) << result.err;
    result = run({"process", "--plugin", plugin, path("in.wav"), path("c.wav"), "--preset",
                  path("quiet.preset")});
    ASSERT_EQ(result.code, 0) << result.err;
    const Channels in = read_wav("in.wav");
    const Channels out = read_wav("c.wav");
    EXPECT_EQ(out[0][123], in[0][123] * 0.125f + 120.0f);

    // Damaged or foreign state is refused before the plug-in sees it.
    std::string bytes = read_text(path("quiet.preset"));
    std::ofstream(path("short.preset"), std::ios::binary) << bytes.substr(0, bytes.size() - 3);
    std::ofstream(path("foreign.preset"), std::ios::binary)
        << "Other Plug/Preset" + bytes.substr(16);
    std::ofstream(path("empty.chunk"), std::ios::binary) << "";
    expect_clean_failure({"process", "--plugin", plugin, path("in.wav"), path("d.wav"), "--preset",
                          path("short.preset")},
                         "is corrupt or not meant for this plug-in");
    expect_clean_failure({"process", "--plugin", plugin, path("in.wav"), path("d.wav"), "--preset",
                          path("foreign.preset")},
                         "Invalid preamble. Expected the file to start with \"Bini Test/Preset\"");
    expect_clean_failure({"process", "--plugin", plugin, path("in.wav"), path("d.wav"), "--chunk",
                          path("short.preset")},
                         "is corrupt");
    expect_clean_failure({"process", "--plugin", plugin, path("in.wav"), path("d.wav"), "--chunk",
                          path("empty.chunk")},
                         "is empty");
}

TEST_F(QuorlinCli, BiniJsonRoundTripIsByteExact)
{
    // Written by hand: children out of order and a reserved header byte that Bex would not keep.
    const std::string bini("My/Settings\x00\xFF\x01\xFE\x01\x02\x03\x05"
                           "\x13\x07\x00\x00\x00\x02\x00\x00\x00"
                           "Zzzz\x04\x00\x00\xC0\x3F\x00\x00\x00\x00"
                           "Aaaa\x0E\x02\x00\x00\x00\x61\x00\x62\x00\x00\x00\x00\x00",
                           11 + 8 + 9 + 13 + 17);
    std::ofstream(path("settings.data"), std::ios::binary) << bini;
    Result result = run({"bini", "to-json", path("settings.data")});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("\"value\": 1.5"), std::string::npos) << result.out;
    std::ofstream(path("settings.json")) << result.out;
    result = run({"bini", "from-json", path("settings.json"), path("again.data")});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(read_text(path("again.data")), bini);

    result = run({"bini", "dump", path("settings.data")});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("\n  \"Aaaa\" string \"ab\"\n"), std::string::npos) << result.out;

    std::ofstream(path("plain.txt")) << "no magic here";
    expect_clean_failure({"bini", "dump", path("plain.txt")}, "No magic bytes 00 FF 01 FE found");
    std::ofstream(path("bad.json"))
        << "{\"format\": \"bini-json\", \"preamble\": \"\", \"root\": 1}";
    expect_clean_failure({"bini", "from-json", path("bad.json"), path("bad.data")},
                         "at /root: expected an object");
    std::ofstream(path("broken.json")) << "{";
    expect_clean_failure({"bini", "from-json", path("broken.json"), path("bad.data")},
                         "is not valid JSON");
}

TEST_F(QuorlinCli, BenchReportsItsFiguresAndRefusesChorusOptionsElsewhere)
{
    Result result =
        run({"bench", "--plugin", GAIN_TEST_PLUGIN_PATH, "--seconds", "0.05", "--repeat", "3"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("real-time factor: "), std::string::npos);
    EXPECT_NE(result.out.find("ns per sample:    "), std::string::npos);
    expect_clean_failure({"bench", "--plugin", GAIN_TEST_PLUGIN_PATH, "--voices", "3"},
                         "no parameter \"Enabled 1\"");
    result = run({"bench", "--plugin", GAIN_TEST_PLUGIN_PATH, "--interpolation", "sinc"});
    EXPECT_EQ(result.code, 2);
}

TEST_F(QuorlinCli, AnotherLinuxPluginFromDebianRuns)
{
    if (!fs::exists(LSP_PLUGIN))
        GTEST_SKIP() << LSP_PLUGIN << " is not installed (Debian package lsp-plugins-vst)";
    // That plug-in leaks a little at unloading; under the sanitizers that is not ours to report.
    const std::string environment = "ASAN_OPTIONS=detect_leaks=0 ";
    Result result = run({"info", "--plugin", LSP_PLUGIN}, environment);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("Delay Compensator"), std::string::npos);
    const Channels input = ramp(20000);
    write_wav("in.wav", input, 48000);
    result = run(
        {"process", "--plugin", LSP_PLUGIN, path("in.wav"), path("out.wav"), "--block", "random"},
        environment);
    ASSERT_EQ(result.code, 0) << result.err;
    // At its default of no delay the plug-in passes the signal through.
    const Channels out = read_wav("out.wav");
    ASSERT_EQ(out.size(), 2u);
    ASSERT_EQ(out[0].size(), input[0].size());
    for (size_t channel = 0; channel < 2; ++channel)
    {
        for (size_t i = 0; i < input[0].size(); i += 101)
            EXPECT_NEAR(out[channel][i], input[channel][i], 1e-6f);
    }
}

} // namespace

namespace
{

double rms(const Channels& a_channels)
{
    double sum = 0.0;
    size_t count = 0;
    for (const std::vector<float>& channel : a_channels)
    {
        for (float sample : channel)
            sum += double(sample) * double(sample);
        count += channel.size();
    }
    return count ? std::sqrt(sum / double(count)) : 0.0;
}

// The root mean square of the difference over the frames both have.
double rms_difference(const Channels& a_a, const Channels& a_b)
{
    Channels difference(std::min(a_a.size(), a_b.size()));
    for (size_t c = 0; c < difference.size(); ++c)
    {
        const size_t frames = std::min(a_a[c].size(), a_b[c].size());
        for (size_t i = 0; i < frames; ++i)
            difference[c].push_back(a_a[c][i] - a_b[c][i]);
    }
    return rms(difference);
}

} // namespace

TEST_F(QuorlinCli, DryWritesTheInputUntouchedAndLoadsNoPlugin)
{
    write_wav("in.wav", ramp());
    ASSERT_EQ(run({"process", "--dry", path("in.wav"), path("out.wav")}).code, 0);
    EXPECT_EQ(read_wav("out.wav"), ramp());
    ASSERT_EQ(run({"process", "--dry", "--plugin", path("missing.so"), path("out.wav")}).code, 2);
}

// Each factory preset, built from its JSON, loads into the chorus and is heard: the render is not
// silent and differs from the dry demo and from the chorus's default patch (a preset the plug-in
// refused would leave it at its defaults), and no two presets sound alike.
TEST_F(QuorlinCli, EveryFactoryPresetLoadsIntoTheChorusAndSounds)
{
    std::set<std::string> presets;
    for (const auto& entry : fs::directory_iterator(FACTORY_PRESET_FOLDER))
        presets.insert(entry.path().stem().string());
    for (const char* name : {"Lush Chorus", "Subtle Doubler", "Slow Ensemble"})
        EXPECT_EQ(presets.count(name), 1u) << name;

    ASSERT_EQ(run({"process", "--dry", "--demo", path("dry.wav")}).code, 0);
    const Result standard = run({"process", "--demo", path("default.wav")});
    ASSERT_EQ(standard.code, 0) << standard.err;
    const Channels dry = read_wav("dry.wav");
    const Channels plain = read_wav("default.wav");
    ASSERT_GT(rms(dry), 0.01);

    std::vector<Channels> renders;
    for (const std::string& name : presets)
    {
        const std::string file = (fs::path(FACTORY_PRESET_FOLDER) / (name + ".preset")).string();
        const Result result = run({"process", "--demo", "--preset", file, path("out.wav")});
        ASSERT_EQ(result.code, 0) << name << ": " << result.err;
        EXPECT_EQ(result.err, "") << name;
        const Channels out = read_wav("out.wav");
        ASSERT_EQ(out.size(), 2u);
        ASSERT_EQ(out[0].size(), dry[0].size());
        EXPECT_GT(rms(out), 0.3 * rms(dry)) << name;
        EXPECT_GT(rms_difference(out, dry), 0.05 * rms(dry)) << name;
        EXPECT_GT(rms_difference(out, plain), 0.05 * rms(dry)) << name;
        for (const Channels& other : renders)
            EXPECT_GT(rms_difference(out, other), 0.05 * rms(dry)) << name;
        renders.push_back(out);
    }
}

// A preset that reads as Bini but that the chorus refuses (a modulator type that does not exist)
// leaves the plug-in at its defaults; quorlin says so instead of rendering the default patch.
TEST_F(QuorlinCli, APresetTheChorusRefusesFailsInsteadOfRenderingTheDefaults)
{
    std::string json = read_text(fs::path(FACTORY_PRESET_SOURCE_FOLDER) / "Subtle Doubler.json");
    const std::string type = "\"id\": \"Type\",";
    const size_t at = json.find("\"value\": 2", json.find(type));
    ASSERT_NE(at, std::string::npos);
    json.replace(at, 10, "\"value\": 1");
    std::ofstream(path("faulty.json")) << json;
    ASSERT_EQ(run({"bini", "from-json", path("faulty.json"), path("faulty.preset")}).code, 0);
    expect_clean_failure({"process", "--demo", "--preset", path("faulty.preset"), path("out.wav")},
                         "refused the preset");
}

// "quorlin process mysong.wav" once rendered the demo chord over the song.
TEST_F(QuorlinCli, AnInputIsNeverTakenForTheOutputNorOverwritten)
{
    write_wav("mysong.wav", ramp());
    const std::string song = read_text(path("mysong.wav"));
    fs::create_symlink(path("mysong.wav"), path("link.wav"));
    expect_clean_failure({"process", path("mysong.wav")}, "alone is not taken as the output");
    expect_clean_failure({"process", "--dry", path("mysong.wav")}, "use --demo");
    expect_clean_failure({"process", path("mysong.wav"), path("mysong.wav")}, "is the input file");
    expect_clean_failure({"process", path("mysong.wav"), (m_dir / "." / "mysong.wav").string()},
                         "is the input file");
    expect_clean_failure({"process", path("mysong.wav"), path("link.wav")}, "is the input file");
    expect_clean_failure({"process", "--demo", path("mysong.wav"), path("out.wav")},
                         "name only the output file");
    expect_clean_failure({"process"}, "--demo OUT");
    EXPECT_EQ(read_text(path("mysong.wav")), song);
}

// Effect chunks are not presets: the chorus refuses a preset as a chunk and falls back to its
// defaults, which quorlin must not render as if it were the patch asked for.
TEST_F(QuorlinCli, AChunkTheChorusRefusesFailsAndSaysWhatToUseInstead)
{
    const std::string preset = (fs::path(FACTORY_PRESET_FOLDER) / "Lush Chorus.preset").string();
    expect_clean_failure({"process", "--demo", "--chunk", preset, path("out.wav")},
                         "lacks the Stat part of a state chunk; a preset file is loaded with "
                         "--preset instead");

    // A chunk the chorus wrote itself loads and sounds as the preset it came from.
    Result result = run({"process", "--demo", "--preset", preset, "--save-chunk",
                         path("lush.chunk"), path("preset.wav")});
    ASSERT_EQ(result.code, 0) << result.err;
    result = run({"process", "--demo", "--chunk", path("lush.chunk"), path("chunk.wav")});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(read_wav("chunk.wav"), read_wav("preset.wav"));

    // Complete, but holding a modulator type that does not exist.
    ASSERT_EQ(run({"bini", "to-json", path("lush.chunk"), path("lush.json")}).code, 0);
    std::string json = read_text(path("lush.json"));
    const size_t at = json.find("\"value\": 2", json.find("\"id\": \"Type\","));
    ASSERT_NE(at, std::string::npos);
    json.replace(at, 10, "\"value\": 1");
    std::ofstream(path("faulty.json")) << json;
    ASSERT_EQ(run({"bini", "from-json", path("faulty.json"), path("faulty.chunk")}).code, 0);
    expect_clean_failure({"process", "--demo", "--chunk", path("faulty.chunk"), path("out.wav")},
                         "refused the chunk");
}

TEST_F(QuorlinCli, InputWithMoreChannelsThanThePluginHasInputsNeedsAChoice)
{
    Channels six(6, std::vector<float>(777));
    for (size_t channel = 0; channel < six.size(); ++channel)
    {
        for (size_t i = 0; i < six[channel].size(); ++i)
            six[channel][i] = float(channel + 1) * 0.1f + float(i % 50) * 0.001f;
    }
    write_wav("six.wav", six);
    write_wav("three-four.wav", {six[2], six[3]});
    write_wav("five.wav", {six[4]});
    const std::string gain = GAIN_TEST_PLUGIN_PATH;
    expect_clean_failure({"process", "--plugin", gain, path("six.wav"), path("out.wav")},
                         "has 6 channels and the plug-in 2 inputs");
    expect_clean_failure(
        {"process", "--plugin", gain, "--channels", "7", path("six.wav"), path("out.wav")},
        "the input has channels 1 to 6");
    expect_clean_failure(
        {"process", "--plugin", gain, "--channels", "1,2,3", path("six.wav"), path("out.wav")},
        "at most two");
    expect_clean_failure(
        {"process", "--plugin", gain, "--channels", "3,", path("six.wav"), path("out.wav")},
        "expected one or two channel numbers");

    for (const auto& [channels, reference] :
         {std::pair<std::string, std::string>{"3,4", "three-four.wav"}, {"5", "five.wav"}})
    {
        Result result = run({"process", "--plugin", gain, "--channels", channels, path("six.wav"),
                             path("picked.wav")});
        ASSERT_EQ(result.code, 0) << result.err;
        result = run({"process", "--plugin", gain, path(reference), path("expected.wav")});
        ASSERT_EQ(result.code, 0) << result.err;
        EXPECT_EQ(read_wav("picked.wav"), read_wav("expected.wav")) << channels;
    }
}

// Style-sheet authors see the parser's own first complaint, not only that the load failed.
TEST_F(QuorlinCli, StyleCheckNamesTheFirstErrorOfASheet)
{
    const Result shipped = run({"style-check", SHIPPED_STYLE_SHEET});
    EXPECT_EQ(shipped.code, 0) << shipped.err;
    EXPECT_EQ(shipped.out, "ok\n");

    const std::string bom = "\xEF\xBB\xBF";
    const std::pair<std::string, std::string> cases[] = {
        {"", "empty.dat:1:1: syntax error, unexpected $end, expecting T_CLASS or T_ID"},
        {"class Widget;\n  text_color: @accent;\nend class;",
         "undefined.dat:2:16: Undefined object: \"accent\""},
        {"f = font(\"Sans\", 2em);", "font.dat: Invalid font size unit."},
    };
    for (const auto& [text, message] : cases)
    {
        const std::string name = message.substr(0, message.find(':'));
        std::ofstream(path(name), std::ios::binary) << bom << text;
        const Result result = run({"style-check", path(name)});
        EXPECT_EQ(result.code, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "quorlin: " + path(message.substr(0, message.find(':'))) +
                                  message.substr(message.find(':')) + "\n");
    }
    // Without a byte-order mark a sheet reads as empty text, as in the plug-in.
    std::ofstream(path("plain.dat"), std::ios::binary) << "class Widget; end class;";
    EXPECT_NE(run({"style-check", path("plain.dat")}).err.find("unexpected $end"),
              std::string::npos);
    expect_clean_failure({"style-check", path("missing.dat")}, "Cannot open file");
}

// The editor painted off-screen: a PNG of the editor's own size for the main view, the second
// voice tab and the windows over it; bad options fail in one line and write nothing. The pictures
// of the chorus with two LFOs stay in the snapshot folder for people to look at.
TEST_F(QuorlinCli, SnapshotRendersTheEditorToAPicture)
{
    // Fontconfig keeps its caches for the life of the process, out of the leak checker's sight.
    const std::string fonts = "LSAN_OPTIONS=suppressions=" QUORLIN_LEAK_SUPPRESSIONS " ";
    const auto run = [this, &fonts](const std::vector<std::string>& a_args)
    { return QuorlinCli::run(a_args, fonts); };
    const std::string preset = (fs::path(FACTORY_PRESET_FOLDER) / "Lush Chorus.preset").string();
    const Result main = run({"snapshot", path("main.png"), "--preset", preset});
    ASSERT_EQ(main.code, 0) << main.err;
    EXPECT_NE(main.out.find("main.png: "), std::string::npos);
    EXPECT_GT(fs::file_size(path("main.png")), 10000u);

    const std::string folder = QUORLIN_SNAPSHOT_FOLDER;
    fs::create_directories(folder);
    const auto picture = [&folder](const char* a_name) { return folder + "/" + a_name; };
    const std::vector<std::string> lfos = {"--chunk", LFO_CHORUS_CHUNK};
    const auto with_lfos = [&lfos](std::vector<std::string> a_args)
    {
        a_args.insert(a_args.end(), lfos.begin(), lfos.end());
        return a_args;
    };
    const Result first = run(with_lfos({"snapshot", picture("editor-voices-1-4.png")}));
    ASSERT_EQ(first.code, 0) << first.err;
    const Result second =
        run(with_lfos({"snapshot", picture("editor-voices-5-8.png"), "--tab", "2"}));
    ASSERT_EQ(second.code, 0) << second.err;
    for (const char* window : {"about", "settings", "assignments"})
    {
        const std::string name = std::string("editor-") + window + ".png";
        const Result shown =
            run(with_lfos({"snapshot", picture(name.c_str()), "--window", window}));
        EXPECT_EQ(shown.code, 0) << window << ": " << shown.err;
        // A window over the editor changes the picture, not its size.
        EXPECT_EQ(shown.out.substr(shown.out.rfind(": ")), first.out.substr(first.out.rfind(": ")));
    }

    const Result large = run({"snapshot", path("large.png"), "--scale", "2"});
    ASSERT_EQ(large.code, 0) << large.err;
    const Result plain = run({"snapshot", path("plain.png")});
    ASSERT_EQ(plain.code, 0) << plain.err;
    // At twice the scale the same editor is about twice as wide.
    const auto width_of = [](const std::string& a_out)
    { return std::stoi(a_out.substr(a_out.rfind(": ") + 2)); };
    EXPECT_NEAR(double(width_of(large.out)) / width_of(plain.out), 2.0, 0.25);

    expect_clean_failure({"snapshot", path("bad.png"), "--scale", "9"}, "scale");
    expect_clean_failure({"snapshot", path("bad.png"), "--chunk", path("missing.bin")},
                         "Cannot open file");
    expect_clean_failure({"snapshot", path("bad.png"), "--window", "mixer"}, "mixer");
}

// The plug-in's editor in a window of its own on a virtual display, closed by the command itself;
// without a display the command says so.
TEST_F(QuorlinCli, EditOpensTheEditorInAWindowOfItsOwn)
{
    const Result shown = run({"edit", "--chunk", LFO_CHORUS_CHUNK, "--close-after", "1"},
                             "xvfb-run -a -s '-screen 0 1280x1024x24' ");
    ASSERT_EQ(shown.code, 0) << shown.err;
    ASSERT_EQ(shown.out.rfind("Editor: ", 0), 0u) << shown.out;
    EXPECT_GT(std::stoi(shown.out.substr(8)), 600);

    const Result headless = run({"edit", "--close-after", "1"}, "DISPLAY= ");
    EXPECT_EQ(headless.code, 1);
    EXPECT_NE(headless.err.find("Cannot open the X display"), std::string::npos) << headless.err;
}
