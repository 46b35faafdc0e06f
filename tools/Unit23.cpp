#include "tools/Unit23.h"

#include "core/Dialogs.h"

#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>

TForm23* Form23 = nullptr;
QString ProgramVersion = QStringLiteral("0.00");

TForm23::TForm23(QWidget* parent) : TForm(23, QStringLiteral("A propos de Orvanel"), parent) {
    Form23 = this;
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Temps réel"), QStringLiteral("Haute"),
                         QStringLiteral("Supérieure à la normale"), QStringLiteral("Normale"),
                         QStringLiteral("Inférieure à la normale"), QStringLiteral("Basse")});
    ComboBox1->setCurrentIndex(3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label5);
    layout->addWidget(ComboBox1);
}

namespace {
int setNice(int nice) {
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, 0);
    if (errno == 0 && now == nice) return 0;
    return setpriority(PRIO_PROCESS, 0, nice) == 0 ? 0 : errno;
}
}  // namespace

std::function<int(int)> TForm23::SetProcessNice = setNice;

// Items 0 and 1 are the real-time class, 2 high, 3 normal, 4 and 5 idle.
void TForm23::ComboBox1Change(QObject* sender) {
    Q_UNUSED(sender);
    const int index = ComboBox1->currentIndex();
    if (index < 0) return;
    static constexpr int kNice[] = {-20, -20, -10, 0, 19, 19};
    const int error = SetProcessNice(kNice[qMin(index, 5)]);
    if (error != 0)
        ShowMessage(QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(" (Priority [") +
                    QString::number(index) + QStringLiteral("])"));
}
