#pragma once
// The program's one mouse pointer (VB's Screen.MousePointer): a shape number that holds for
// every window of the program, shown through Qt's override cursor.
//
//   {
//       platform::BusyPointer busy;     // remembers the pointer and shows the hourglass
//       ... long job ...
//   }                                   // the remembered pointer is back, on every way out
class QWidget;

namespace platform {

// The shape numbers. 0 is no override: each widget shows its own cursor again.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCrosshair = 2;
inline constexpr int vbIbeam = 3;
inline constexpr int vbIconPointer = 4;
inline constexpr int vbSizePointer = 5;
inline constexpr int vbSizeNESW = 6;
inline constexpr int vbSizeNS = 7;
inline constexpr int vbSizeNWSE = 8;
inline constexpr int vbSizeWE = 9;
inline constexpr int vbUpArrow = 10;
inline constexpr int vbHourglass = 11;
inline constexpr int vbNoDrop = 12;
inline constexpr int vbArrowHourglass = 13;
inline constexpr int vbArrowQuestion = 14;
inline constexpr int vbSizeAll = 15;
inline constexpr int vbCustom = 99; // shown as the arrow: there is no custom icon

// Whether pointer is one of the numbers above.
bool isMousePointerShape(int pointer);

class MousePointer {
public:
    virtual ~MousePointer() = default;

    virtual int get() = 0;
    // Sets the shape for the whole program; a number that is no shape changes nothing.
    virtual void set(int pointer) = 0;
};

MousePointer& mousePointer();
MousePointer* setMousePointer(MousePointer* replacement); // returns the one it replaces (nullptr: the real one)

// The mouse pointer of one window or control (VB's MousePointer of a form): the shape shown
// while the mouse is over it, unless the program's pointer above overrides it. 0 gives the
// widget its own cursor back; a number that is no shape changes nothing.
int widgetMousePointer(const QWidget* widget);
void setWidgetMousePointer(QWidget* widget, int pointer);

// Remembers the pointer, shows shape (the hourglass unless told otherwise) and puts the
// remembered pointer back when it ends, or earlier through restore() (before a message box that
// the user should meet with the normal pointer, say). Guards nest: each puts back what it found.
class BusyPointer {
public:
    explicit BusyPointer(int shape = vbHourglass);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // Puts the remembered pointer back now; the end of the guard then changes nothing.
    void restore();

private:
    int previous_;
    bool restored_ = false;
};

} // namespace platform
