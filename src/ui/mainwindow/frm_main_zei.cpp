// The tax by rate window as the main window opens it.

#include "core/engine/engine.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/tools/taxrate/dialog_zei.h"
#include "ui/widgets/text_list_model.h"

#include <QAction>

namespace sumiplex::ui {

void frmMain::openZeiDialog() {
    // Built once and only hidden when closed, so the rate marks stay with the amounts.
    DialogZei& zei = m_tools->load<DialogZei>(QStringLiteral("DialogZei"), [this] {
        return new DialogZei(
            toolLinks(),
            ZeiSource{.amounts = m_engine->view().amounts,
                      .amountsModel = *m_list3Model,
                      .taxRule = [this] { return m_engine->taxRule(); },
                      .print =
                          [this](QWidget* parent, const taxrate::RateSummary& summary) {
                              printTaxSummary(parent, summary);
                          }},
            this);
    });
    m_tools->show(zei, ToolShow::Activate);
}

void frmMain::taxRuleChangedForZei() {
    // The tax by rate window rounds by the same rule and must not go on showing the old one.
    if (auto* zei = m_tools->find<DialogZei>(QStringLiteral("DialogZei")))
        zei->taxRuleChanged();
}

} // namespace sumiplex::ui
