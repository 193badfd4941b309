#pragma once

#include <string>
#include <vector>

namespace shapes {

// A point in the plane.
struct Point {
    double X = 0;
    double Y = 0;
};

enum class Color { Red, Green, Blue };

// Every shape has a position, an area and a name.
class Shape {
public:
    explicit Shape(Point origin);
    virtual ~Shape();

    virtual double Area() const = 0;
    virtual std::string Name() const = 0;
    void MoveBy(const Point& offset);
    Point Origin() const { return Position; }

protected:
    Color Fill = Color::Red;

private:
    Point Position;
};

class Circle : public Shape {
public:
    Circle(Point center, double radius);
    double Area() const override;
    std::string Name() const override;

private:
    double Radius;
};

class Rectangle : public Shape {
public:
    Rectangle(Point corner, double width, double height);
    double Area() const override;
    std::string Name() const override;

protected:
    double Width;
    double Height;
};

class Square : public Rectangle {
public:
    Square(Point corner, double side);
    std::string Name() const override;
};

#ifdef SHAPES_WITH_LABELS
// A text attached to a shape; only compiled when SHAPES_WITH_LABELS is defined.
struct Label {
    const Shape* Owner;
    std::string Text;
};
#endif

using Drawing = std::vector<Shape*>;

// The summed area of every shape of the drawing.
double TotalArea(const Drawing& drawing);

} // namespace shapes
