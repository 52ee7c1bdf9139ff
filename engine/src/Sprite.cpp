#include "zp/Sprite.h"

#include <utility>

namespace zp {

Sprite::Sprite(int max_frames) : max_frame_count(max_frames < 0 ? 0 : max_frames)
{
}

int Sprite::getWidth() const
{
    return width;
}

void Sprite::setWidth(int new_width)
{
    width = new_width;
}

int Sprite::getHeight() const
{
    return height;
}

void Sprite::setHeight(int new_height)
{
    height = new_height;
}

Color Sprite::getColor() const
{
    return color;
}

void Sprite::setColor(Color new_color)
{
    color = new_color;
}

const std::string& Sprite::getLabel() const
{
    return label;
}

void Sprite::setLabel(std::string new_label)
{
    label = std::move(new_label);
}

int Sprite::getFrameCount() const
{
    return static_cast<int>(frame.size());
}

int Sprite::getMaxFrameCount() const
{
    return max_frame_count;
}

int Sprite::pushFrame(const Frame& new_frame)
{
    if (getFrameCount() >= max_frame_count)
        return -1;
    frame.push_back(new_frame);
    return 0;
}

const Frame& Sprite::getFrame(int index) const
{
    static const Frame empty_frame;
    if (index < 0 || index >= getFrameCount())
        return empty_frame;
    return frame[static_cast<size_t>(index)];
}

} // namespace zp
