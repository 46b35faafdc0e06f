// The menu panel: a bar of flat buttons along the top of the main window,
// one per item of a menu, that follow their items.
#include "core/Unit1.h"

#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kHeight = 28;
constexpr int kButtonHeight = 22;
constexpr int kCloseSize = 12;

// Keeps the close button at the panel's right edge.
class Panel : public QWidget {
public:
    explicit Panel(QWidget* parent) : QWidget(parent) {}
    QToolButton* close = nullptr;

protected:
    void resizeEvent(QResizeEvent*) override {
        if (close) close->move(width() - 15, 3);
    }
};
}  // namespace

QWidget* TForm1::MenuPanel(QMenu* menu) {
    auto* panel = new Panel(centralWidget());
    panel->setObjectName(QStringLiteral("MenuPanel"));
    panel->setFixedHeight(kHeight);
    panel->close = new QToolButton(panel);
    panel->close->setObjectName(QStringLiteral("MenuPanelClose"));
    panel->close->setAutoRaise(true);
    panel->close->setToolTip(QStringLiteral("Fermer"));
    panel->close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    panel->close->setFixedSize(kCloseSize, kCloseSize);
    connect(panel->close, &QToolButton::clicked, panel, &QObject::deleteLater);  // OnCloseMenuPanel
    int x = 8;
    for (QAction* item : menu->actions()) {
        if (item->isSeparator() || item->menu()) continue;
        // The button shows its item: caption, picture, enabled state, click.
        auto* button = new QToolButton(panel);
        button->setObjectName(QStringLiteral("Menu") + item->objectName());
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setDefaultAction(item);
        const int width = 7 * int(item->text().remove(u'&').size()) + (item->icon().isNull() ? 0 : 16);
        button->setGeometry(x, (kHeight - kButtonHeight) / 2, width, kButtonHeight);
        x += width;
    }
    if (auto* layout = qobject_cast<QVBoxLayout*>(centralWidget()->layout())) layout->insertWidget(0, panel);
    return panel;
}
