#pragma once

#include <QClipboard>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QEvent;
class QWidget;

namespace sumiplex::engine {
class Engine;
enum class PastedLayout;
} // namespace sumiplex::engine

namespace sumiplex::ui {

struct Services;

/// A column of amounts pasted into the input line or dropped on the window as a file.
class ColumnPaste {
public:
    /// `render` shows the engine's view; `showTape` hands the history window the tape
    /// pieces a column collected, when that window is built.
    ColumnPaste(QWidget& window, const Services& services, engine::Engine& engine,
                std::function<void()> render, std::function<void(std::u16string_view)> showTape);

    /// Takes a tape piece into the batch while a column is added; false at any other time.
    bool collect(std::u16string_view piece);
    /// How much of the tape's text is still waiting in the batch.
    [[nodiscard]] std::size_t pending() const { return m_tapeBatch ? m_tapeBatch->size() : 0; }

    /// The clipboard's column (or the selection's, for the middle button) into the total;
    /// false when it is a single line, which the input line pastes as it always has.
    bool pasteColumnFrom(QClipboard::Mode mode);
    /// A drag that carries files is taken by the window, not pasted into a line as text.
    bool filterFileDrag(QEvent* event);

private:
    bool pasteColumn(const QString& text, engine::PastedLayout layout);
    /// Reads a dropped text or CSV file and adds its amounts; a file that cannot be read
    /// is said so.
    void dropFile(const QString& path);
    [[nodiscard]] QString caption() const;

    QWidget& m_window;
    const Services& m_services;
    engine::Engine& m_engine;
    std::function<void()> m_render;
    std::function<void(std::u16string_view)> m_showTape;
    /// While a column is added, the tape pieces collect here and reach the history window
    /// a batch at a time rather than line by line.
    std::optional<std::u16string> m_tapeBatch;
};

} // namespace sumiplex::ui
