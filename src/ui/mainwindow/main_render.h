#pragma once

class QWidget;

namespace sumiplex::engine {
class Registers;
struct Requests;
struct View;
enum class FocusTarget;
} // namespace sumiplex::engine

namespace sumiplex::ui {

struct MainControls;
class MainMenus;

/// The one place the main window's controls take what the engine shows.
class MainRender {
public:
    MainRender(QWidget& window, MainControls& ui, MainMenus& menus);

    /// Runs `once` (which shows the engine's view), again for as long as a render asked
    /// for during a pass: a widget event the pass raised (focus moving away, say) reached
    /// the engine, and its outcome shows once the current pass is done.
    template <class Once> void run(Once once) {
        if (m_inRender) {
            m_renderAgain = true;
            return;
        }
        m_inRender = true;
        do {
            m_renderAgain = false;
            once();
        } while (m_renderAgain);
        m_inRender = false;
    }

    /// Copies `view` and the registers' indicators into the controls, then moves the focus
    /// and sizes the window as `requests` ask.
    void show(const engine::View& view, const engine::Registers& registers,
              const engine::Requests& requests);

private:
    void showCaptions(const engine::View& view);
    void showFlags(const engine::View& view);
    void showInputLine(const engine::View& view, bool focusText1);
    void showBoxes(const engine::View& view, engine::FocusTarget focus);
    void showRegisters(const engine::Registers& registers);
    void carryOut(const engine::Requests& requests);

    QWidget& m_window;
    MainControls& m_ui;
    MainMenus& m_menus;
    // The carets the last render placed, so a render only moves a caret the engine moved
    // and leaves one the user placed.
    struct ShownCarets {
        int text1SelStart = -1;
        int text1SelLength = -1;
        int text2Caret = -1;
        int text3Caret = -1;
    };
    ShownCarets m_shown;
    bool m_inRender = false;
    bool m_renderAgain = false;
    bool m_captionsAnnounced = false; // the figures were told to screen readers once
};

} // namespace sumiplex::ui
