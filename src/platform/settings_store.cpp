#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
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

// Why the settings file cannot be written, found by trying what QSettings tried: its
// status says only that something failed.
QString whyNotWritable(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return QStringLiteral("同じ名前のフォルダーがあります。");
    }
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        return QStringLiteral("フォルダー「%1」を作成できません。")
            .arg(QDir::toNativeSeparators(folder));
    }
    // A write the size of a settings file many times over: a full disk or a size limit
    // shows here, and nothing is left behind.
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return probe.errorString();
    }
    const QByteArray block(qsizetype{64} * 1024, ' ');
    qint64 done = 0;
    while (done < block.size()) {
        const qint64 n = probe.write(block.constData() + done, block.size() - done);
        if (n <= 0) {
            break;
        }
        done += n; // a short write is retried, so the second one says why
    }
    if (done < block.size()) {
        QString reason = probe.errorString();
        probe.cancelWriting();
        return reason;
    }
    probe.cancelWriting();
    return QStringLiteral("書き込んだ内容を読み返すと、保存したはずの値がありませんでした。");
}

// The file as it is on disk, read through a copy: QSettings shares one cached image of a
// file between all objects open on it, so a second object on the same name would only show
// the values in memory.
bool fileHolds(const QString& path, const QSettings& expected) {
    const QStringList keys = expected.allKeys();
    if (keys.isEmpty()) {
        return true; // nothing written, and QSettings creates no file for nothing
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return true; // nothing to compare with; the status check stands
    }
    const QString copy = scratch.filePath(QStringLiteral("check.conf"));
    if (!QFile::copy(path, copy)) {
        return false;
    }
    const QSettings onDisk(copy, QSettings::IniFormat);
    if (onDisk.status() != QSettings::NoError) {
        return false;
    }
    return std::all_of(keys.begin(), keys.end(), [&](const QString& key) {
        return onDisk.contains(key) && onDisk.value(key) == expected.value(key);
    });
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

std::optional<QString> IniSettingsStore::save() {
    const QString path = m_settings->fileName();
    const bool synced = sync();
    if (synced && fileHolds(path, *m_settings)) {
        return std::nullopt;
    }
    return QStringLiteral("設定を保存できませんでした。今回の変更は次の起動に引き継がれません。\n"
                          "設定ファイル: %1\n理由: %2")
        .arg(QDir::toNativeSeparators(path), whyNotWritable(path));
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
