#pragma once
// Stand-ins for the platform services: they record what the shell asks of
// them and answer as a test tells them to. Nothing modal opens, nothing starts.

#include "HelpEngine.h"
#include "PlatformServices.h"
#include "ProgramStarter.h"
#include "RegistryReader.h"
#include "SettingsStore.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel::testing {

class FakeMessageBox final : public MessageBoxService {
public:
    struct Shown {
        QString text;
        MessageIcon icon;
        QString title;
    };
    void Show(QWidget*, const QString& text, MessageIcon icon, const QString& title) override {
        shown.push_back({text, icon, title});
    }
    std::vector<Shown> shown;
};

class FakeClipboard final : public ClipboardService {
public:
    void Clear() override {
        ++clears;
        text.clear();
    }
    QString Text() const override { return text; }
    void SetText(const QString& value) override { text = value; }
    QString text;
    int clears = 0;
};

class FakeProgramStarter final : public ProgramStarter {
public:
    bool Start(const QString& commandText) override {
        started.push_back(commandText);
        return succeeds;
    }
    std::vector<QString> started;
    bool succeeds = true;
};

class FakeHelpEngine final : public HelpEngine {
public:
    struct Call {
        QWidget* owner;
        QString helpFile;
        std::uint32_t command;
        std::uint32_t pointedAt; // the value data points to
    };
    std::optional<QString> WinHelpA(QWidget* owner, const QString& helpFile, std::uint32_t command,
                                    std::uintptr_t data) override {
        std::uint32_t value = 0xFFFFFFFFu;
        if (data != 0)
            std::memcpy(&value, reinterpret_cast<const void*>(data), sizeof value);
        calls.push_back({owner, helpFile, command, value});
        return failure;
    }
    std::vector<Call> calls;
    std::optional<QString> failure;
};

// String values by key path; records every key it was asked to open.
class FakeRegistry final : public RegistryReader {
public:
    std::int32_t RegOpenKeyExA(RegistryHandle, const QString& subKey, std::uint32_t, std::uint32_t,
                               RegistryHandle* result) override {
        opened.push_back(subKey);
        const auto key =
            std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == subKey; });
        if (key == keys.end())
            return kErrorFileNotFound;
        *result = static_cast<RegistryHandle>(1 + (key - keys.begin()));
        return kErrorSuccess;
    }
    std::int32_t RegQueryValueExA(RegistryHandle key, const QString& valueName, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataSize) override {
        const auto& values = keys.at(key - 1).second;
        const auto value = values.find(valueName);
        if (value == values.end())
            return kErrorFileNotFound;
        const QByteArray bytes = value->second.toLocal8Bit();
        *type = kRegString;
        *dataSize = static_cast<std::uint32_t>(bytes.size() + 1);
        std::memcpy(data, bytes.constData(), static_cast<std::size_t>(bytes.size()) + 1);
        return kErrorSuccess;
    }
    std::int32_t RegCloseKey(RegistryHandle) override { return kErrorSuccess; }

    void Add(const QString& key, const QString& valueName, const QString& value) {
        keys.push_back({key, {{valueName, value}}});
    }

    std::vector<std::pair<QString, std::map<QString, QString>>> keys;
    std::vector<QString> opened;
};

class MemorySettingsStore final : public SettingsStore {
public:
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override {
        const auto value = values.find(Path(application, section, key));
        return value == values.end() ? defaultValue : value->second;
    }
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override {
        values[Path(application, section, key)] = value;
    }
    static QString Path(const QString& application, const QString& section, const QString& key) {
        return application + '/' + section + '/' + key;
    }
    std::map<QString, QString> values;
};

// One set of fakes wired into PlatformServices.
struct FakeServices {
    FakeMessageBox messageBox;
    FakeClipboard clipboard;
    FakeProgramStarter programs;
    FakeHelpEngine help;
    FakeRegistry registry;
    MemorySettingsStore settings;

    PlatformServices Services() {
        PlatformServices services;
        services.messageBox = &messageBox;
        services.clipboard = &clipboard;
        services.programs = &programs;
        services.help = &help;
        services.registry = &registry;
        services.settings = &settings;
        return services;
    }
};

} // namespace quorvel::testing
