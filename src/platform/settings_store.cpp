#include "platform/settings_store.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace sumiplex::platform {
namespace {

const QString kGroup = QStringLiteral("Settings");

bool sameKey(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// QSettings hands back a list for an unquoted value holding commas (someone edited the file
// by hand); the text is what the program stores, so join it again.
QString textOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

} // namespace

IniSettingsStore::IniSettingsStore() : IniSettingsStore(defaultFilePath()) {}

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

QString IniSettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Sumiplex/Sumiplex.conf");
}

QString IniSettingsStore::fileName() const {
    return m_settings->fileName();
}

std::optional<QString> IniSettingsStore::find(QStringView key) const {
    m_settings->beginGroup(kGroup);
    std::optional<QString> found;
    const QStringList keys = m_settings->childKeys();
    // An exact spelling wins over a hand-made second spelling of the same key.
    auto it = std::find_if(keys.begin(), keys.end(), [key](const QString& k) { return k == key; });
    if (it == keys.end()) {
        it = std::find_if(keys.begin(), keys.end(),
                          [key](const QString& k) { return sameKey(k, key); });
    }
    if (it != keys.end()) {
        found = textOf(m_settings->value(*it));
    }
    m_settings->endGroup();
    return found;
}

void IniSettingsStore::write(QStringView key, const QString& value) {
    m_settings->beginGroup(kGroup);
    QString spelling = key.toString();
    bool kept = false;
    const QStringList keys = m_settings->childKeys();
    for (const QString& existing : keys) {
        if (!sameKey(existing, key)) {
            continue;
        }
        if (!kept) {
            spelling = existing;
            kept = true;
        } else {
            m_settings->remove(existing);
        }
    }
    m_settings->setValue(spelling, value);
    m_settings->endGroup();
}

bool IniSettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<QString> FakeSettingsStore::find(QStringView key) const {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [key](const auto& entry) { return sameKey(entry.first, key); });
    if (it == m_entries.end()) {
        return std::nullopt;
    }
    return it->second;
}

void FakeSettingsStore::write(QStringView key, const QString& value) {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [key](const auto& entry) { return sameKey(entry.first, key); });
    if (it == m_entries.end()) {
        m_entries.emplace_back(key.toString(), value);
    } else {
        it->second = value;
    }
}

} // namespace sumiplex::platform
