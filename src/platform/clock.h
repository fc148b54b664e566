#pragma once

#include <QDateTime>

namespace sumiplex::platform {

/// The current date and time, from outside so tests and the driver can set it.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    [[nodiscard]] QDateTime now() const override { return QDateTime::currentDateTime(); }
};

/// A clock that stands still until it is set.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 1, 1), QTime(9, 0)))
        : m_now(std::move(now)) {}
    [[nodiscard]] QDateTime now() const override { return m_now; }
    void set(QDateTime now) { m_now = std::move(now); }

private:
    QDateTime m_now;
};

} // namespace sumiplex::platform
