#include "platform/settings_keys.h"

#include "core/settings/values.h"

#include <optional>
#include <string_view>
#include <type_traits>

namespace sumiplex::platform {
namespace {

std::u16string_view toStd(QStringView text) {
    return {text.utf16(), std::size_t(text.size())};
}

QString toQt(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The stored forms each type reads from; nothing when the text does not convert.
template <typename T> std::optional<T> parseStored(std::u16string_view text) {
    if constexpr (std::is_same_v<T, bool>)
        return settings::parseTruth(text);
    else if constexpr (std::is_same_v<T, qint16>)
        return settings::parseInt16(text);
    else if constexpr (std::is_same_v<T, qint32>)
        return settings::parseInt32(text);
    else if constexpr (std::is_same_v<T, float>)
        return settings::parseSingle(text);
    else {
        static_assert(std::is_same_v<T, double>);
        return settings::parseDouble(text);
    }
}

} // namespace

template <typename T>
SettingValueT<T>
readSetting(const SettingsStore& store, const Setting<T>& setting,
            [[maybe_unused]] std::optional<std::type_identity_t<SettingValueT<T>>> fallback) {
    if constexpr (std::is_same_v<T, QStringView>) {
        // Any stored text is a text; only an absent key takes the default.
        return store.read(setting.key, setting.defaultValue.toString());
    } else {
        const std::optional<QString> text = store.find(setting.key);
        if (!text)
            return setting.defaultValue;
        const std::optional<T> value = parseStored<T>(toStd(*text));
        return value ? *value : fallback.value_or(setting.defaultValue);
    }
}

template QString readSetting(const SettingsStore&, const Setting<QStringView>&,
                             std::optional<QString>);
template bool readSetting(const SettingsStore&, const Setting<bool>&, std::optional<bool>);
template qint16 readSetting(const SettingsStore&, const Setting<qint16>&, std::optional<qint16>);
template qint32 readSetting(const SettingsStore&, const Setting<qint32>&, std::optional<qint32>);
template float readSetting(const SettingsStore&, const Setting<float>&, std::optional<float>);
template double readSetting(const SettingsStore&, const Setting<double>&, std::optional<double>);

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
