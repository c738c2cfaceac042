#include "DesktopRegistryReader.h"
#include "RegistryReader.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace quorvel {
namespace {

// One key with one value, answering like the registry; records what it is asked.
class OneValueRegistry final : public RegistryReader {
public:
    std::int32_t RegOpenKeyExA(RegistryHandle key, const QString& subKey, std::uint32_t, std::uint32_t access,
                               RegistryHandle* result) override {
        openedRoot = key;
        openedKey = subKey;
        openedAccess = access;
        if (!keyExists)
            return kErrorFileNotFound;
        *result = 77;
        ++openKeys;
        return kErrorSuccess;
    }
    std::int32_t RegQueryValueExA(RegistryHandle key, const QString& valueName, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataSize) override {
        queriedHandle = key;
        queriedValue = valueName;
        offeredSize = *dataSize;
        if (queryError != kErrorSuccess)
            return queryError;
        *type = valueType;
        const auto size = static_cast<std::uint32_t>(bytes.size());
        *dataSize = size;
        std::memcpy(data, bytes.data(), bytes.size());
        return kErrorSuccess;
    }
    std::int32_t RegCloseKey(RegistryHandle key) override {
        if (key == 77)
            --openKeys;
        return kErrorSuccess;
    }

    bool keyExists = true;
    std::int32_t queryError = kErrorSuccess;
    std::uint32_t valueType = kRegString;
    std::vector<std::uint8_t> bytes;

    RegistryHandle openedRoot = 0;
    QString openedKey;
    std::uint32_t openedAccess = 0;
    RegistryHandle queriedHandle = 0;
    QString queriedValue;
    std::uint32_t offeredSize = 0;
    int openKeys = 0;
};

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

std::vector<std::uint8_t> Text(const char* text, bool withZero = true) {
    std::vector<std::uint8_t> bytes(text, text + std::strlen(text));
    if (withZero)
        bytes.push_back(0);
    return bytes;
}

struct ValueRow {
    const char* name;
    bool keyExists;
    std::int32_t queryError;
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
    bool read;
    QString value;
};

class ReadMachineKeyValueTest : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ReadMachineKeyValueTest, GivesTheValueAsText) {
    const ValueRow& row = GetParam();
    OneValueRegistry registry;
    registry.keyExists = row.keyExists;
    registry.queryError = row.queryError;
    registry.valueType = row.type;
    registry.bytes = row.bytes;
    QString value = "left over";
    EXPECT_EQ(ReadMachineKeyValue(registry, kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                  "PATH", value),
              row.read);
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(registry.openKeys, 0) << "the key must be closed again";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadMachineKeyValueTest,
    ::testing::Values(ValueRow{"StringValue", true, kErrorSuccess, kRegString, Text("/usr/bin/hardinfo"),
                               true, "/usr/bin/hardinfo"},
                      ValueRow{"StringEndsAtItsFirstZero", true, kErrorSuccess, kRegString,
                               Bytes({'a', 'b', 0, 'c', 0}), true, "ab"},
                      ValueRow{"StringWithoutEndingZero", true, kErrorSuccess, kRegString,
                               Text("C:\\Tools", false), true, "C:\\Tools"},
                      ValueRow{"EmptyString", true, kErrorSuccess, kRegString, Bytes({0}), true, ""},
                      ValueRow{"NumberAsDecimalDigits", true, kErrorSuccess, kRegDword,
                               Bytes({0x39, 0x30, 0, 0}), true, "12345"},
                      ValueRow{"NumberWithAZeroLowByte", true, kErrorSuccess, kRegDword, Bytes({0, 1, 0, 0}),
                               true, "256"},
                      ValueRow{"NumberZero", true, kErrorSuccess, kRegDword, Bytes({0, 0, 0, 0}), true, "0"},
                      ValueRow{"LargestNumber", true, kErrorSuccess, kRegDword,
                               Bytes({0xFF, 0xFF, 0xFF, 0xFF}), true, "4294967295"},
                      ValueRow{"OtherTypeReadsAsEmpty", true, kErrorSuccess, 3, Bytes({1, 2, 3}), true, ""},
                      ValueRow{"MissingKey", false, kErrorSuccess, kRegString, {}, false, ""},
                      ValueRow{"MissingValue", true, kErrorFileNotFound, kRegString, {}, false, ""},
                      ValueRow{"ValueLongerThanTheBuffer", true, kErrorMoreData, kRegString, {}, false, ""}),
    RowName<ValueRow>);

TEST(ReadMachineKeyValue, OpensUnderTheRootWithFullAccessAndOffersABufferOf1024) {
    OneValueRegistry registry;
    registry.bytes = Text("x");
    QString value;
    ReadMachineKeyValue(registry, kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                        value);
    EXPECT_EQ(registry.openedRoot, kHKeyLocalMachine);
    EXPECT_EQ(registry.openedKey, "SOFTWARE\\Microsoft\\Shared Tools Location");
    EXPECT_EQ(registry.openedAccess, 0x2003Fu);
    EXPECT_EQ(registry.queriedHandle, 77u);
    EXPECT_EQ(registry.queriedValue, "MSINFO");
    EXPECT_EQ(registry.offeredSize, 1024u);
}

// The registry of this platform, with a system information program installed or not.
struct DesktopRow {
    const char* name;
    QString program; // what the search finds; "" for none
    QString key;
    QString valueName;
    bool read;
    QString value;
};

class DesktopRegistryTest : public ::testing::TestWithParam<DesktopRow> {};

TEST_P(DesktopRegistryTest, KnowsOnlyTheSystemInformationKey) {
    const DesktopRow& row = GetParam();
    DesktopRegistryReader registry([&row] { return row.program; });
    QString value;
    EXPECT_EQ(ReadMachineKeyValue(registry, kHKeyLocalMachine, row.key, row.valueName, value), row.read);
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(registry.OpenKeyCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DesktopRegistryTest,
    ::testing::Values(
        DesktopRow{"MsinfoPath", "/usr/bin/hardinfo", "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                   true, "/usr/bin/hardinfo"},
        DesktopRow{"NamesIgnoreLetterCase", "/usr/bin/lxtask", "software\\microsoft\\shared tools\\msinfo",
                   "path", true, "/usr/bin/lxtask"},
        DesktopRow{"NoProgramNoKey", "", "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", false, ""},
        DesktopRow{"OtherValueOfTheKey", "/usr/bin/hardinfo", "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                   "DIR", false, ""},
        DesktopRow{"LocationKeyIsAbsent", "/usr/bin/hardinfo", "SOFTWARE\\Microsoft\\Shared Tools Location",
                   "MSINFO", false, ""},
        DesktopRow{"ParentKeyHasNoValue", "/usr/bin/hardinfo", "SOFTWARE\\Microsoft\\Shared Tools", "PATH",
                   false, ""},
        DesktopRow{"PartOfANameIsNoKey", "/usr/bin/hardinfo", "SOFTWARE\\Microsoft\\Shared Tool", "PATH",
                   false, ""}),
    RowName<DesktopRow>);

TEST(DesktopRegistry, OpensStepByStepFromAnOpenKey) {
    DesktopRegistryReader registry([] { return QStringLiteral("/usr/bin/hardinfo"); });
    RegistryHandle software = 0;
    RegistryHandle msinfo = 0;
    ASSERT_EQ(registry.RegOpenKeyExA(kHKeyLocalMachine, "SOFTWARE", 0, kRegistryFullAccess, &software),
              kErrorSuccess);
    ASSERT_EQ(
        registry.RegOpenKeyExA(software, "Microsoft\\Shared Tools\\MSINFO", 0, kRegistryFullAccess, &msinfo),
        kErrorSuccess);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(registry.RegQueryValueExA(msinfo, "PATH", &type, nullptr, &size), kErrorSuccess);
    EXPECT_EQ(type, kRegString);
    EXPECT_EQ(size, 18u); // with the ending zero
    std::uint8_t tooSmall[4] = {};
    size = sizeof tooSmall;
    EXPECT_EQ(registry.RegQueryValueExA(msinfo, "PATH", &type, tooSmall, &size), kErrorMoreData);
    EXPECT_EQ(size, 18u);
    EXPECT_EQ(registry.RegCloseKey(msinfo), kErrorSuccess);
    EXPECT_EQ(registry.RegCloseKey(software), kErrorSuccess);
    EXPECT_EQ(registry.RegCloseKey(software), kErrorInvalidHandle);
}

TEST(DesktopRegistry, FindsTheFirstSystemInformationProgramOnTheSearchPath) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"lxtask", "ksysguard", "unrelated"}) {
        QFile program(folder.filePath(name));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::WriteOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder.path()));
    const QString found = DesktopRegistryReader::FindSystemInformationProgram();
    qputenv("PATH", QByteArray());
    const QString none = DesktopRegistryReader::FindSystemInformationProgram();
    qputenv("PATH", oldPath);
    EXPECT_EQ(found, folder.filePath("ksysguard"));
    EXPECT_EQ(none, "");
}

} // namespace
} // namespace quorvel
