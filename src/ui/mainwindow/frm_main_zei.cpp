// The tax by rate window as the main window opens it.

#include "core/engine/engine.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/tools/taxrate/dialog_zei.h"
#include "ui/widgets/text_list_model.h"

#include <QAction>

namespace sumiplex::ui {

void frmMain::connectZeiTool() {
    for (QAction* action : {mnuZei, mnuPopZei})
        connect(action, &QAction::triggered, this, &frmMain::openZeiDialog);
}

void frmMain::openZeiDialog() {
    // Built once and only hidden when closed, so the rate marks stay with the amounts.
    if (!m_zei)
        m_zei = new DialogZei(
            toolLinks(),
            ZeiSource{.amounts = m_engine->view().amounts,
                      .amountsModel = *m_list3Model,
                      .taxRule = [this] { return m_engine->taxRule(); },
                      .print =
                          [this](QWidget* parent, const taxrate::RateSummary& summary) {
                              printTaxSummary(parent, summary);
                          }},
            this);
    showToolWindow(*m_zei, ToolShow::Activate);
}

void frmMain::taxRuleChangedForZei() {
    // The tax by rate window rounds by the same rule and must not go on showing the old one.
    if (m_zei)
        m_zei->taxRuleChanged();
}

void frmMain::unloadZeiTool() {
    if (m_zei)
        m_zei->close();
}

} // namespace sumiplex::ui
