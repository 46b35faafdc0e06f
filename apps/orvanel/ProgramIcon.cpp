#include "apps/orvanel/ProgramIcon.h"

#include "core/DrawnIcons.h"

// Built into a static library: registered before the first use (outside any
// namespace, as the resource macro asks).
static void registerProgramIcon() { Q_INIT_RESOURCE(programicon); }

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        registerProgramIcon();
        QIcon drawn;
        // Each size from the drawing whose grid divides it.
        for (const auto& [size, grid] : {std::pair{16, 16}, {24, 24}, {32, 32}, {48, 24}, {64, 32}, {128, 32}, {256, 32}})
            drawn.addPixmap(RenderSvg(QStringLiteral(":/programicon/%1.svg").arg(grid), size));
        // The tray's size: the 24-pixel drawing without its margin.
        drawn.addPixmap(RenderSvg(QStringLiteral(":/programicon/24.svg"), 24).copy(1, 1, 22, 22));
        return drawn;
    }();
    return icon;
}
