#pragma once

#include "ui/widgets/lazy_window.h"

#include <cstdint>

class QFont;
class QMainWindow;

namespace sumiplex::engine {
class Engine;
enum class RegisterKind;
} // namespace sumiplex::engine

namespace sumiplex::ui {

struct MainControls;
class MainMenus;
class PictureArea;
struct Services;
struct WindowLooks;
class frmTip2;
class frmTip3;

/// What the main window reads from the settings store when it starts and writes back when it
/// unloads, and the looks (colours, fonts) the options dialog changes.
class MainSettings {
public:
    MainSettings(QMainWindow& window, const Services& services, engine::Engine& engine,
                 MainControls& ui, MainMenus& menus, PictureArea& picture,
                 LazyWindow<frmTip2>& history, LazyWindow<frmTip3>& memo);

    /// Every setting the window starts from. Each step stands on its own: a value that does
    /// not convert leaves the property as it was and the next step runs.
    void load();
    void save();
    /// The program's end closes the calculation: its total joins the grand total, and both
    /// registers are stored. `endingQuietly`: nobody is there to be told of an overflow.
    void saveRegisters(bool endingQuietly);
    /// Says that a register could not take a figure; `blocking` waits for the user.
    void sayRegisterOverflow(engine::RegisterKind kind, bool blocking);

    /// The history and memo windows take their stored font and place when they are built.
    void dressHistoryWindow(frmTip2& history);
    void dressMemoPad(frmTip3& memo);

    [[nodiscard]] WindowLooks currentLooks() const;
    /// Takes the options dialog's looks into every window; the caller renders.
    void applyLooks(const WindowLooks& looks);
    /// The rule lines and the calendar take the accent colour.
    void applyAccentColour();

private:
    void loadViewToggles();
    void loadColours();
    void loadInputFont();
    void loadTotalFont();
    void loadRegisters();
    /// The total label takes `face` (family, bold, italic) and `ink`; the tax lines and the
    /// AC button take its face at their own sizes, the small labels its ink.
    void dressLikeTotal(const QFont& face, std::int32_t ink);

    QMainWindow& m_window;
    const Services& m_services;
    engine::Engine& m_engine;
    MainControls& m_ui;
    MainMenus& m_menus;
    PictureArea& m_picture;
    LazyWindow<frmTip2>& m_tip2;
    LazyWindow<frmTip3>& m_tip3;
    // Colours in their stored form: a system colour keeps its index, which the QColor it
    // resolves to no longer tells.
    std::int32_t m_backColour;
    std::int32_t m_lineColour;
    std::int32_t m_totalColour;
};

} // namespace sumiplex::ui
