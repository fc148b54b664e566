#include "platform/settings_keys.h"

#include "core/settings/values.h"

#include <optional>
#include <string_view>

namespace sumiplex::platform {
namespace {

std::u16string_view toStd(QStringView text) {
    return {text.utf16(), std::size_t(text.size())};
}

QString toQt(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// An absent key gives the default as it is; a stored text is converted, and one that does
// not convert gives `fallback`.
template <typename T, typename Parse>
T readConverted(const SettingsStore& store, QStringView key, T defaultValue, T fallback,
                Parse parse) {
    const std::optional<QString> text = store.find(key);
    if (!text) {
        return defaultValue;
    }
    const std::optional<T> value = parse(toStd(*text));
    return value ? *value : fallback;
}

} // namespace

QString readText(const SettingsStore& store, TextSetting setting) {
    return store.read(setting.key, setting.defaultValue.toString());
}

bool readTruth(const SettingsStore& store, TruthSetting setting) {
    return readTruth(store, setting, setting.defaultValue);
}

bool readTruth(const SettingsStore& store, TruthSetting setting, bool fallback) {
    return readConverted(store, setting.key, setting.defaultValue, fallback, settings::parseTruth);
}

qint16 readInt16(const SettingsStore& store, Int16Setting setting) {
    return readInt16(store, setting, setting.defaultValue);
}

qint16 readInt16(const SettingsStore& store, Int16Setting setting, qint16 fallback) {
    return readConverted(store, setting.key, setting.defaultValue, fallback, settings::parseInt16);
}

qint32 readInt32(const SettingsStore& store, Int32Setting setting) {
    return readInt32(store, setting, setting.defaultValue);
}

qint32 readInt32(const SettingsStore& store, Int32Setting setting, qint32 fallback) {
    return readConverted(store, setting.key, setting.defaultValue, fallback, settings::parseInt32);
}

float readSingle(const SettingsStore& store, SingleSetting setting) {
    return readSingle(store, setting, setting.defaultValue);
}

float readSingle(const SettingsStore& store, SingleSetting setting, float fallback) {
    return readConverted(store, setting.key, setting.defaultValue, fallback, settings::parseSingle);
}

double readDouble(const SettingsStore& store, DoubleSetting setting) {
    return readDouble(store, setting, setting.defaultValue);
}

double readDouble(const SettingsStore& store, DoubleSetting setting, double fallback) {
    return readConverted(store, setting.key, setting.defaultValue, fallback, settings::parseDouble);
}

void writeTruth(SettingsStore& store, QStringView key, bool value) {
    store.write(key, toQt(settings::formatTruth(value)));
}

void writeNumber(SettingsStore& store, QStringView key, int value) {
    store.write(key, toQt(settings::formatNumber(static_cast<std::int64_t>(value))));
}

void writeNumber(SettingsStore& store, QStringView key, float value) {
    store.write(key, toQt(settings::formatNumber(value)));
}

void writeNumber(SettingsStore& store, QStringView key, double value) {
    store.write(key, toQt(settings::formatNumber(value)));
}

} // namespace sumiplex::platform
