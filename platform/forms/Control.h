#pragma once

#include "platform/forms/Units.h"

#include <QRect>
#include <QString>
#include <functional>

// Conventions of the forms layer:
// - Places and sizes are in twips (1/1440 inch, 15 to a pixel here), as a classic form gives them;
//   the capitalised accessors (Left(), Height(), Visible(), Caption(), Text()) speak twips and
//   the form's own terms. Pixels appear only where named so (pixelRect(), setPixelRect()). The
//   form is a QWidget as well: its Height() is in twips, Qt's height() beside it in pixels.
// - A property is read as Name() and written as setName(); an event is a public handler member
//   (MouseMove, Click, ...) that the window wires to its method Control_Event, as 很多行_MouseMove.
// - The window's controls and methods have Chinese names (很多行, 取出注音) as the window was
//   designed with them, and its handlers' names follow from them; everything else is in English.
namespace forms {

class Form;

// Mouse buttons and shift state as event handlers receive them.
enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
enum ShiftState : int { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

// A mouse event's arguments: x and y in twips from the control's top-left corner (or the client
// area's, for the form's own events).
struct MouseArgs {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

using MouseHandler = std::function<void(const MouseArgs&)>;
using Handler = std::function<void()>;

// What every control of a form has: a name, a place in twips, visibility and mouse events.
// Geometry is held in whole pixels, as the platform's controls hold it, so a value read back is
// the value set rounded to the pixel.
class Control {
public:
    explicit Control(QString name)
        : name_(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }

    float Left() const { return float(twipsFromPixels(pixelRect().x())); }
    float Top() const { return float(twipsFromPixels(pixelRect().y())); }
    float Width() const { return float(twipsFromPixels(pixelRect().width())); }
    float Height() const { return float(twipsFromPixels(pixelRect().height())); }
    void setLeft(double twips) {
        setPixelRect(pixelRect().translated(pixelsFromTwips(twips) - rect_.x(), 0));
    }
    void setTop(double twips) {
        setPixelRect(pixelRect().translated(0, pixelsFromTwips(twips) - rect_.y()));
    }
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, double top, double width, double height);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);

    QRect pixelRect() const {
        settleGeometry();
        return rect_;
    }
    // Whether the pointer over this control belongs to it (shapes let it through).
    virtual bool takesMouse() const { return true; }
    bool contains(QPointF clientTwips) const;

    MouseHandler MouseDown;
    MouseHandler MouseUp;
    MouseHandler MouseMove;
    Handler Click;
    // The mouse capture that a press gave this control ended without the press's release.
    Handler LostCapture;

protected:
    friend class Form;
    void setPixelRect(QRect rect);
    // Brings a size that follows content up to date; called before the geometry is read.
    virtual void settleGeometry() const {}
    virtual void geometryChanged() {}
    virtual void visibilityChanged() {}
    virtual void attached() {}
    void repaint() const;
    Form* form() const { return form_; }

private:
    QString name_;
    QRect rect_;
    bool visible_ = true;
    Form* form_ = nullptr;
};

} // namespace forms
