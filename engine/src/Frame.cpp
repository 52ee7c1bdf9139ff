#include "zp/Frame.h"

#include <utility>

namespace zp {

Frame::Frame(int new_width, int new_height, std::string new_frame_str)
    : width(new_width), height(new_height), frame_str(std::move(new_frame_str))
{
}

int Frame::getWidth() const
{
    return width;
}

void Frame::setWidth(int new_width)
{
    width = new_width;
}

int Frame::getHeight() const
{
    return height;
}

void Frame::setHeight(int new_height)
{
    height = new_height;
}

const std::string& Frame::getString() const
{
    return frame_str;
}

void Frame::setString(std::string new_frame_str)
{
    frame_str = std::move(new_frame_str);
}

} // namespace zp
