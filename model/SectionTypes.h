#pragma once
// Row types of the section catalogs. Their field order is also the order of the raw blocks in
// project files (custom pile section, member I-shape and pipe rows).

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/Numeric.h"

namespace vantrel {

// Pile section row. I-shapes and channels: strong axis x. Sheet piles: per unit wall length, with
// D = width of one pile, Bf = height of the pile, Tw = thickness, Ix and Sx per unit length.
// Stored units: English in, in^2, in^3, in^4; SI (every SI pile and channel table) cm-based:
// lengths cm, Ix, Iy, J cm^4, Zx, Sx cm^3, Aw cm^2, A mm^2, Ry mm.
struct TSteelShape {
    std::string Name; // at most 55 characters
    Ext Zx = 0, Ix = 0, Aw = 0, Iy = 0, Tf = 0, D = 0, Ry = 0, Sx = 0, A = 0, Bf = 0, J = 0, K1 = 0, Tw = 0;
    bool operator==(const TSteelShape&) const = default;
};
using TArrSteelShapes = std::vector<TSteelShape>;

// Member I-shape row. English: lb/ft, in, in^2, in^3, in^4, in^6. SI: kg/m, mm, mm^2, 10^3 mm^3,
// 10^6 mm^4, J 10^3 mm^4, Cw 10^9 mm^6.
struct TIShape {
    std::string Name;
    Ext W = 0, A = 0, D = 0, Bf = 0, Tw = 0, Tf = 0, Ix = 0, Zx = 0, Sx = 0, Rx = 0, Iy = 0, Zy = 0, Sy = 0, Ry = 0,
        J = 0, Cw = 0, Rts = 0, H0 = 0;
    bool operator==(const TIShape&) const = default;
};
using TArrIShapes = std::vector<TIShape>;

// Circular hollow section (pipe) row, units as TIShape.
struct TOShape {
    std::string Name;
    Ext W = 0, A = 0, OD = 0, TNominal = 0, T = 0, DOverT = 0, I = 0, Z = 0, S = 0, R = 0, J = 0;
    bool operator==(const TOShape&) const = default;
};
using TArrOShapes = std::vector<TOShape>;

// A section table as a project holds it: a read-only reference to a catalog that is built once
// for the whole program and shared by every project (see SharedCatalogs.h), or to rows of its own
// given to it as a vector. Copying the table copies the reference, never the rows. It reads like a
// const std::vector of the rows and converts to one.
template <class Row> class TSharedTable {
  public:
    using Rows = std::vector<Row>;
    using value_type = Row;
    using size_type = typename Rows::size_type;
    using const_iterator = typename Rows::const_iterator;
    using iterator = const_iterator;

    TSharedTable() = default;
    // A table of its own rows.
    TSharedTable(Rows rows) : rows_(std::make_shared<const Rows>(std::move(rows))) {}
    TSharedTable(std::initializer_list<Row> rows) : TSharedTable(Rows(rows)) {}

    // The catalog itself, which must outlive every table that refers to it (the shared catalogs
    // live as long as the program): no copy and no reference count.
    static TSharedTable Of(const Rows& catalog) {
        TSharedTable table;
        table.rows_ = std::shared_ptr<const Rows>(std::shared_ptr<const Rows>(), &catalog);
        return table;
    }

    const Rows& Get() const { return rows_ ? *rows_ : Empty(); }
    operator const Rows&() const { return Get(); }
    // True when both read the very same rows (the same catalog).
    bool SameRowsAs(const TSharedTable& other) const { return &Get() == &other.Get(); }

    size_type size() const { return Get().size(); }
    bool empty() const { return Get().empty(); }
    const Row& operator[](size_type i) const { return Get()[i]; }
    const Row& at(size_type i) const { return Get().at(i); }
    const Row& front() const { return Get().front(); }
    const Row& back() const { return Get().back(); }
    const_iterator begin() const { return Get().begin(); }
    const_iterator end() const { return Get().end(); }
    const_iterator cbegin() const { return Get().begin(); }
    const_iterator cend() const { return Get().end(); }

  private:
    static const Rows& Empty() {
        static const Rows empty;
        return empty;
    }
    std::shared_ptr<const Rows> rows_;
};
using TSteelShapeTable = TSharedTable<TSteelShape>;
using TIShapeTable = TSharedTable<TIShape>;
using TOShapeTable = TSharedTable<TOShape>;

// Reinforcing bar: US table in inches, the others in millimetres. An all-zero row is empty.
struct TRebarRow {
    int32_t Number = 0;
    int32_t MetricNumber = 0;
    double Diameter = 0;
    double Area = 0;
    bool operator==(const TRebarRow&) const = default;
};
using TRebarTable = std::array<TRebarRow, 12>;

// Single angle of the guardrail post. B first leg, D second leg, T thickness, S section modulus
// for bending, R radius of gyration for buckling. English lb/ft, in^2, in, in^3; SI kg/m, mm^2, mm,
// 10^3 mm^3.
struct TGRShape {
    std::string Name;
    Ext W = 0, A = 0, B = 0, D = 0, T = 0, S = 0, R = 0;
};
using TAngleTable = std::array<TGRShape, 17>;

// Anchor bar size: capacity of one bar for grade 75, 80 and 150 (kips or kN; 0 = no such bar).
struct TAnchorBars {
    std::string Name;
    Ext Zero1 = 0, Zero2 = 0, Cap75 = 0, Cap80 = 0, Cap150 = 0;
    Ext Capacity(int gradeColumn) const { return gradeColumn == 1 ? Cap80 : gradeColumn == 2 ? Cap150 : Cap75; }
};
using TAnchorBarTable = std::array<TAnchorBars, 10>;

} // namespace vantrel
