/// \file
/// A heads-up counter: a label and a number at one of seven screen places,
/// optionally framed. View events whose tag equals the label change it.
#pragma once

#include "zp/Color.h"
#include "zp/Object.h"

#include <string>

namespace zp {

enum ViewObjectLocation : int {
    TOP_LEFT = 0,
    TOP_CENTER = 1,
    TOP_RIGHT = 2,
    CENTER_CENTER = 3,
    BOTTOM_LEFT = 4,
    BOTTOM_CENTER = 5,
    BOTTOM_RIGHT = 6,
};

class ViewObject : public Object {
public:
    ViewObject();

    const std::string& getViewString() const;
    void setViewString(std::string new_view_string);
    int getValue() const;
    void setValue(int new_value);
    Color getColor() const;
    void setColor(Color new_color);
    bool getBorder() const;
    /// Places the object again when the border changes (a border moves it a row).
    void setBorder(bool new_border);
    ViewObjectLocation getLocation() const;
    void setLocation(ViewObjectLocation new_location);

    /// 1 when the event was a view event for this object, else 0.
    int eventHandler(const Event* p_event) override;
    void draw() override;

private:
    std::string view_string;
    int value = 0;
    bool border = true;
    Color color = WHITE;
    ViewObjectLocation location = TOP_CENTER;
};

} // namespace zp
