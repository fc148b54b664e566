#pragma once

#include <QSettings>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace sumiplex::platform {

// The user's settings: a flat set of named text values. Key names are compared without
// regard to letter case, so "mnuPic" finds a value written as "mnupic"; a write to a key
// that already exists in another spelling replaces that entry and keeps its spelling, so a
// key never has two entries.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    /// The stored text, or nothing when the key is absent.
    [[nodiscard]] virtual std::optional<QString> find(QStringView key) const = 0;

    /// Creates or replaces the value.
    virtual void write(QStringView key, const QString& value) = 0;

    /// The stored text, or `defaultValue` when the key is absent.
    [[nodiscard]] QString read(QStringView key, const QString& defaultValue) const {
        return find(key).value_or(defaultValue);
    }
};

// The settings file in the user's configuration folder, INI format, group "Settings":
// $XDG_CONFIG_HOME/Sumiplex/Sumiplex.conf (~/.config/Sumiplex/Sumiplex.conf by default).
// Writes reach the disk on sync() and when the store is destroyed.
class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore();
    /// A store over the given file, for tests and for a second location.
    explicit IniSettingsStore(const QString& filePath);

    [[nodiscard]] std::optional<QString> find(QStringView key) const override;
    void write(QStringView key, const QString& value) override;

    /// Writes pending changes to disk; false when the file could not be written.
    [[nodiscard]] bool sync();

    /// Writes pending changes to disk and reads the file back to see that every value
    /// arrived: nothing on success, else a message for the user naming the file and the
    /// reason (a folder in its place, a folder that cannot be written, a full disk).
    [[nodiscard]] std::optional<QString> save();
    [[nodiscard]] QString fileName() const;

    /// Where the store of the real user lives.
    [[nodiscard]] static QString defaultFilePath();

private:
    std::unique_ptr<QSettings> m_settings;
};

// In memory, with the same key rules; for tests and the event-script driver.
class FakeSettingsStore final : public SettingsStore {
public:
    [[nodiscard]] std::optional<QString> find(QStringView key) const override;
    void write(QStringView key, const QString& value) override;

    /// Every entry as stored: spelling and value, in the order first written.
    [[nodiscard]] const std::vector<std::pair<QString, QString>>& entries() const {
        return m_entries;
    }

private:
    std::vector<std::pair<QString, QString>> m_entries;
};

} // namespace sumiplex::platform
