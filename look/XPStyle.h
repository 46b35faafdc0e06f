#pragma once
// The application style of the XP look: over the base style, it paints the
// widgets and menu items a styler has marked (TXPMenu::StylerOf) in that
// styler's look while the styler is Active; everything else, and everything
// while no styler is Active, goes to the base style unchanged.
#include <QProxyStyle>

class TXPStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TXPStyle(QStyle* base);
    // Sets the style on the application, over a fresh copy of its current
    // style; nothing when it is already set or there is no application.
    static void Install();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    bool drawMenu(ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
};
