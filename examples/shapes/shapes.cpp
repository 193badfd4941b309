// A small program for trying Quarn Code on code of one's own: a few shapes with a class
// hierarchy. Open project.xml (in this directory) to see it as a treemap.
#include "shapes.h"

#include <cstdio>

namespace shapes {

namespace {

const double Pi = 3.14159265358979;

} // namespace

Shape::Shape(Point origin) : Position(origin) {}

Shape::~Shape() = default;

void Shape::MoveBy(const Point& offset) {
    Position.X += offset.X;
    Position.Y += offset.Y;
}

Circle::Circle(Point center, double radius) : Shape(center), Radius(radius) {}

double Circle::Area() const {
    return Pi * Radius * Radius;
}

std::string Circle::Name() const {
    return "circle";
}

Rectangle::Rectangle(Point corner, double width, double height)
    : Shape(corner), Width(width), Height(height) {}

double Rectangle::Area() const {
    return Width * Height;
}

std::string Rectangle::Name() const {
    return "rectangle";
}

Square::Square(Point corner, double side) : Rectangle(corner, side, side) {}

std::string Square::Name() const {
    return "square";
}

double TotalArea(const Drawing& drawing) {
    double total = 0;
    for (const Shape* shape : drawing)
        total += shape->Area();
    return total;
}

} // namespace shapes

int main() {
    shapes::Circle circle({0, 0}, 1);
    shapes::Square square({2, 2}, 3);
    shapes::Drawing drawing = {&circle, &square};
    for (const shapes::Shape* shape : drawing)
        std::printf("%s: %.2f\n", shape->Name().c_str(), shape->Area());
    std::printf("total: %.2f\n", shapes::TotalArea(drawing));
    return 0;
}
