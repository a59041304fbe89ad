#include "crypto/protect_file.h"
#include "crypto/protect_file_format.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <vector>

#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "support/recording_message_box.h"
#include "text/text_util.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view kKey = "Key-of-12chr";

class FakeSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override { waits.push_back(duration); }
    std::vector<std::chrono::milliseconds> waits;
};

class StopAfter final : public ProtectProgress {
public:
    explicit StopAfter(int chunks) : m_chunks(chunks) {}
    bool OnChunk(std::uint64_t done, std::uint64_t total) override {
        reports.emplace_back(done, total);
        return static_cast<int>(reports.size()) < m_chunks;
    }
    std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;

private:
    int m_chunks;
};

// The message as the operation collects it: "#1"/"#2" filled, one line.
std::string Line(MessageId id, std::string_view p1 = {}, std::string_view p2 = {}) {
    return ReplaceAll(ReplaceAll(LoadMessage(id), "#1", p1), "#2", p2) + "\r\n";
}

Bytes RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 gen(seed);
    Bytes out(n);
    std::generate(out.begin(), out.end(), [&] { return static_cast<std::uint8_t>(gen()); });
    return out;
}

class ProtectFileTest : public ::testing::Test {
protected:
    testing::TempDir m_temp;

    void SetUp() override {
        m_dir = m_temp.Path();
        m_options.sleeper = &m_sleeper;
    }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    static void WriteBytes(const std::string& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(m_dir)) {
            names.insert(fs::relative(e.path(), m_dir).string());
        }
        return names;
    }
    Result Encrypt(const std::string& src, const std::string& dst, std::string_view key = kKey) {
        return ProtectFile(src, dst, key, true, m_options);
    }
    Result Decrypt(const std::string& src, const std::string& dst, std::string_view key = kKey) {
        return ProtectFile(src, dst, key, false, m_options);
    }
    // A container of the given plain bytes at "box".
    std::string MakeContainer(const Bytes& plain) {
        WriteBytes(Path("plain"), plain);
        EXPECT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
        return Path("box");
    }
    // Decrypting the altered container fails with the format message and writes nothing.
    void ExpectRefused(const Bytes& container, MessageId expected = IDS_ERROR_FILE_FORMAT_NOT_MATCH) {
        WriteBytes(Path("bad"), container);
        const auto before = Entries();
        const Result r = Decrypt(Path("bad"), Path("out"));
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.message(), Line(expected));
        EXPECT_EQ(Entries(), before);
    }

    fs::path m_dir;
    FakeSleeper m_sleeper;
    ProtectFileOptions m_options;
};

TEST_F(ProtectFileTest, RoundTripsEverySize) {
    for (std::size_t size : {0u, 1u, 7u, 8u, 4095u, 4096u, 4097u, 3u * 1024 * 1024 + 5}) {
        const Bytes plain = RandomBytes(size, static_cast<std::uint32_t>(size));
        const std::string box = MakeContainer(plain);
        const Bytes container = ReadBytes(box);
        EXPECT_EQ(container.size(), kContainerContentOffset + PaddedContentLength(size)) << size;
        ASSERT_TRUE(Decrypt(box, Path("restored")).ok()) << size;
        EXPECT_EQ(ReadBytes(Path("restored")), plain) << size;
        EXPECT_TRUE(m_sleeper.waits.empty());
    }
}

TEST_F(ProtectFileTest, HeaderCarriesVersionConstantAndLengths) {
    const Bytes container = ReadBytes(MakeContainer(RandomBytes(4097, 1)));
    EXPECT_EQ(container[8], 0x21);
    EXPECT_EQ(std::string(container.begin() + 9, container.begin() + 16), kPlainConstant);
    EXPECT_EQ(container[16], 0);
    auto le32 = [&](std::size_t at) {
        return container[at] | (container[at + 1] << 8) | (container[at + 2] << 16) |
               (container[at + 3] << 24);
    };
    EXPECT_EQ(le32(20), 4104);
    EXPECT_EQ(le32(24), 4097);
    // The source's path is stored encrypted.
    const std::string text(container.begin(), container.end());
    EXPECT_EQ(text.find(Path("plain")), std::string::npos);
}

TEST_F(ProtectFileTest, EmptySourceGivesHeaderAndRecordOnly) {
    const std::string box = MakeContainer({});
    EXPECT_EQ(ReadBytes(box).size(), kContainerContentOffset);
    ASSERT_TRUE(Decrypt(box, Path("restored")).ok());
    EXPECT_TRUE(fs::exists(Path("restored")));
    EXPECT_EQ(fs::file_size(Path("restored")), 0u);
}

TEST_F(ProtectFileTest, WrongKeyWaitsHalfASecondAndWritesNothing) {
    const std::string box = MakeContainer(RandomBytes(100, 2));
    const auto before = Entries();
    const Result r = Decrypt(box, Path("out"), "Key-of-12chX");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.message(), Line(IDS_ERROR_SECURITY_INVALID_PASSWORD));
    ASSERT_EQ(m_sleeper.waits.size(), 1u);
    EXPECT_EQ(m_sleeper.waits[0], std::chrono::milliseconds(500));
    EXPECT_EQ(Entries(), before);
}

TEST_F(ProtectFileTest, NewerVersionIsRefused) {
    Bytes container = ReadBytes(MakeContainer(RandomBytes(100, 3)));
    container[8] = 0x22;
    ExpectRefused(container);
    EXPECT_TRUE(m_sleeper.waits.empty());
}

TEST_F(ProtectFileTest, DamagedContainersAreRefusedWithoutOutput) {
    const Bytes good = ReadBytes(MakeContainer(RandomBytes(5000, 4)));
    auto with = [&](auto change) {
        Bytes b = good;
        change(b);
        return b;
    };
    struct Case {
        const char* what;
        Bytes container;
    };
    const Case cases[] = {
        {"cut by one byte", with([](Bytes& b) { b.pop_back(); })},
        {"cut by a block", with([](Bytes& b) { b.resize(b.size() - 8); })},
        {"cut inside the record", with([](Bytes& b) { b.resize(100); })},
        {"cut inside the header", with([](Bytes& b) { b.resize(20); })},
        {"a whole block too many", with([](Bytes& b) { b.insert(b.end(), 8, 0); })},
        {"trailing bytes not zero", with([](Bytes& b) { b.insert(b.end(), 3, 0x55); })},
        {"padded length not the padded source length",
         with([](Bytes& b) { b[20] = static_cast<std::uint8_t>(b[20] + 8); })},
        {"huge lengths", with([](Bytes& b) {
             std::fill(b.begin() + 20, b.begin() + 28, 0xFF);
             b[20] = 0xF8;
             b[24] = 0xF1;
         })},
        {"plain constant changed", with([](Bytes& b) { b[10] ^= 1; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRefused(c.container);
    }
    ExpectRefused({});
}

TEST_F(ProtectFileTest, OuterPaddingAfterTheContentIsAccepted) {
    const Bytes plain = RandomBytes(77, 5);
    Bytes container = ReadBytes(MakeContainer(plain));
    container.insert(container.end(), kContainerMaxTrailingBytes, 0);
    WriteBytes(Path("padded"), container);
    ASSERT_TRUE(Decrypt(Path("padded"), Path("restored")).ok());
    EXPECT_EQ(ReadBytes(Path("restored")), plain);
}

TEST_F(ProtectFileTest, KeyLengthIsChecked) {
    WriteBytes(Path("plain"), RandomBytes(10, 6));
    for (std::string_view key : {"", "12345", "12345678901234567"}) {
        const Result r = Encrypt(Path("plain"), Path("box"), key);
        EXPECT_FALSE(r.ok()) << key;
        EXPECT_EQ(r.message(), Line(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG, "6", "16"));
    }
    EXPECT_FALSE(fs::exists(Path("box")));
    for (std::string_view key : {"123456", "1234567890123456"}) {
        EXPECT_TRUE(Encrypt(Path("plain"), Path("box"), key).ok()) << key;
        EXPECT_TRUE(Decrypt(Path("box"), Path("back"), key).ok()) << key;
    }
}

TEST_F(ProtectFileTest, SourceAndDestinationMayNotBeTheSameFile) {
    WriteBytes(Path("Plain.txt"), RandomBytes(10, 7));
    const Bytes before = ReadBytes(Path("Plain.txt"));
    ASSERT_EQ(link(Path("Plain.txt").c_str(), Path("other-name").c_str()), 0);
    for (const std::string& dst :
         {Path("Plain.txt"), Path("PLAIN.TXT"), Path("plain.txt"), Path("./Plain.txt"), Path("other-name")}) {
        const Result r = Encrypt(Path("Plain.txt"), dst);
        EXPECT_FALSE(r.ok()) << dst;
        EXPECT_EQ(r.message(),
                  Line(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME))
            << dst;
    }
    EXPECT_EQ(ReadBytes(Path("Plain.txt")), before);
}

TEST_F(ProtectFileTest, ChecksOfSourceAndDestination) {
    WriteBytes(Path("plain"), RandomBytes(10, 8));
    WriteBytes(Path("afile"), {});
    fs::create_directory(Path("folder"));
    struct Case {
        std::string source;
        std::string destination;
        std::string expected;
    };
    const Case cases[] = {
        {Path("missing"), Path("box"), Line(IDS_ERROR_FILE_SOURCE_FILE_NOT_EXIST, Path("missing"))},
        {Path("folder"), Path("box"), Line(IDS_ERROR_FILE_PATH_IS_A_DIRECTORY_NOT_A_FILE, Path("folder"))},
        {Path("plain"), Path("folder"),
         Line(IDS_ERROR_FILE_PATH_IS_DIRECTORY_CHOOSE_ANOTHER_FILE_NAME, Path("folder"))},
        {Path("plain"), Path("afile/box"),
         Line(IDS_ERROR_FILE_DESTINATION_NOT_A_VALID_PATH, Path("afile/box"))},
        {Path("plain"), Path("sub/"), Line(IDS_ERROR_FILE_DESTINATION_NOT_A_VALID_PATH, Path("sub/"))},
        {Path("plain"), "", Line(IDS_ERROR_FILE_DESTINATION_NOT_A_VALID_PATH, "")},
        {"/dev/null", Path("box"), Line(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, "/dev/null")},
    };
    for (const auto& c : cases) {
        const auto before = Entries();
        const Result r = Encrypt(c.source, c.destination);
        EXPECT_FALSE(r.ok()) << c.source << " -> " << c.destination;
        EXPECT_EQ(r.message(), c.expected);
        EXPECT_EQ(Entries(), before);
    }
}

TEST_F(ProtectFileTest, ProblemsAreCollectedOneALine) {
    const Result r = Encrypt(Path("missing"), Path("box"), "short");
    EXPECT_EQ(r.message(), Line(IDS_ERROR_FILE_SOURCE_FILE_NOT_EXIST, Path("missing")) +
                               Line(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG, "6", "16"));
}

TEST_F(ProtectFileTest, MissingDestinationFoldersAreCreatedAndTakenBackOnFailure) {
    const std::string box = MakeContainer(RandomBytes(10, 9));
    EXPECT_FALSE(Decrypt(box, Path("a/b/out"), "another-key").ok());
    EXPECT_FALSE(fs::exists(Path("a")));
    ASSERT_TRUE(Decrypt(box, Path("a/b/out")).ok());
    EXPECT_EQ(ReadBytes(Path("a/b/out")), RandomBytes(10, 9));
}

TEST_F(ProtectFileTest, ExistingDestinationIsKeptAsBackups) {
    RecordingMessageBox box;
    m_options.messageBox = &box;
    m_options.quiet = false;
    for (std::uint32_t round = 1; round <= 3; ++round) {
        WriteBytes(Path("plain"), RandomBytes(50, round));
        ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    }
    // Newest in "box", the first in "box.bak", the second in "box.bak.bak".
    for (const auto& [name, round] : {std::pair{"box", 3u}, {"box.bak", 1u}, {"box.bak.bak", 2u}}) {
        ASSERT_TRUE(Decrypt(Path(name), Path("restored")).ok()) << name;
        EXPECT_EQ(ReadBytes(Path("restored")), RandomBytes(50, round)) << name;
    }
    ASSERT_GE(box.CallCount(), 2u);
    EXPECT_EQ(box.Calls()[0].text,
              ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", Path("box.bak")));
    EXPECT_EQ(box.Calls()[1].text,
              ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", Path("box.bak.bak")));
}

TEST_F(ProtectFileTest, QuietBackupIsNotReportedAndNoBackupReplaces) {
    RecordingMessageBox box;
    m_options.messageBox = &box;
    WriteBytes(Path("plain"), RandomBytes(50, 1));
    ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_TRUE(fs::exists(Path("box.bak")));
    EXPECT_EQ(box.CallCount(), 0u);
    m_options.keepBackup = false;
    ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_FALSE(fs::exists(Path("box.bak.bak")));
}

TEST_F(ProtectFileTest, OverwriteModes) {
    RecordingMessageBox box;
    m_options.messageBox = &box;
    m_options.keepBackup = false;
    WriteBytes(Path("plain"), RandomBytes(50, 1));
    const Bytes old = {1, 2, 3};
    WriteBytes(Path("box"), old);

    m_options.overwriteMode = OverwriteMode::Ask;
    box.AnswerNext(IDNO);
    EXPECT_FALSE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_EQ(ReadBytes(Path("box")), old);
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(
        box.LastCall().text,
        ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_TARGET_FILE_EXISTS_PROMPT_OVERWRITE), "#1", Path("box")));
    EXPECT_EQ(box.LastCall().style & MB_TYPEMASK, MB_YESNO);

    m_options.overwriteMode = OverwriteMode::Report;
    const Result reported = Encrypt(Path("plain"), Path("box"));
    EXPECT_EQ(reported.message(), Line(IDS_MESSAGE_FILE_TARGET_FILE_EXISTS, Path("box")));
    EXPECT_EQ(ReadBytes(Path("box")), old);

    m_options.overwriteMode = OverwriteMode::Overwrite;
    m_options.allowOverwrite = false;
    const Result forbidden = Encrypt(Path("plain"), Path("box"));
    EXPECT_EQ(forbidden.message(), Line(IDS_ERROR_FILE_TARGET_FILE_EXIST_CHOOSE_ANOTHER_NAME, Path("box")));
    EXPECT_EQ(ReadBytes(Path("box")), old);

    m_options.allowOverwrite = true;
    m_options.overwriteMode = OverwriteMode::Ask;
    box.AnswerNext(IDYES);
    EXPECT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_NE(ReadBytes(Path("box")), old);
}

TEST_F(ProtectFileTest, ReadOnlyDestinationIsReplaced) {
    WriteBytes(Path("plain"), RandomBytes(50, 1));
    WriteBytes(Path("box"), {1});
    fs::permissions(Path("box"), fs::perms::owner_read);
    m_options.keepBackup = false;
    EXPECT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_TRUE(Decrypt(Path("box"), Path("restored")).ok());
}

TEST_F(ProtectFileTest, ProgressAfterEveryChunkAndCancel) {
    const Bytes plain = RandomBytes(3 * 4096 + 10, 11);
    WriteBytes(Path("plain"), plain);
    StopAfter all(100);
    m_options.progress = &all;
    ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected = {
        {4096, plain.size()}, {8192, plain.size()}, {12288, plain.size()}, {plain.size(), plain.size()}};
    EXPECT_EQ(all.reports, expected);

    const Bytes oldBox = ReadBytes(Path("box"));
    const auto before = Entries();
    for (bool encrypt : {true, false}) {
        StopAfter two(2);
        m_options.progress = &two;
        const Result r =
            encrypt ? Encrypt(Path("plain"), Path("box")) : Decrypt(Path("box"), Path("restored"));
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.message(), Line(IDS_MESSAGE_SECURITY_ENCRYPTION_CANCELED_BY_USER));
        EXPECT_EQ(two.reports.size(), 2u);
        EXPECT_EQ(Entries(), before);
        EXPECT_EQ(ReadBytes(Path("box")), oldBox);
    }
}

TEST_F(ProtectFileTest, ProblemsAreShownUnlessQuiet) {
    RecordingMessageBox box;
    m_options.messageBox = &box;
    EXPECT_FALSE(Encrypt(Path("missing"), Path("box")).ok());
    EXPECT_EQ(box.CallCount(), 0u);
    m_options.quiet = false;
    const Result r = Encrypt(Path("missing"), Path("box"));
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(box.LastCall().text, r.message());
    EXPECT_EQ(box.LastCall().caption, LoadMessage(IDS_KLN_ERROR));
}

TEST_F(ProtectFileTest, OutputIsPrivate) {
    const std::string boxPath = MakeContainer(RandomBytes(10, 1));
    struct stat st {};
    ASSERT_EQ(stat(boxPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace tidewell
