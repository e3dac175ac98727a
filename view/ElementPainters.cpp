#include "view/ElementPainters.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace {

bool IsMarker(ShownColumn::Role role)
{
    return role == ShownColumn::Marker1 || role == ShownColumn::Marker2 || role == ShownColumn::Marker3;
}

// What every such style shares: what each element shows, the markers among
// them, and the places to repaint when the batch ends. A style says where an
// element's place is and paints a run of places from what they show.
class ElementPainter : public PlotPainter {
public:
    void Begin(QImage& image, const PlotGeometry& geometry, const PlotColors& colors) override
    {
        image_ = &image;
        touched_ = QRect();
        if (image.size() == size_ && geometry == g_ && colors == c_)
            return;
        size_ = image.size();
        g_ = geometry;
        c_ = colors;
        shown_.resize(static_cast<std::size_t>(std::max(0, g_.N)) + 1);
        markers_.clear();
        for (int i = 1; i <= g_.N; ++i)
            if (IsMarker(shown_[static_cast<std::size_t>(i)].role))
                markers_.push_back(i);
        Layout();
        whole_ = true;
    }

    void Clear(QRgb back) override
    {
        image_->fill(back);
        touched_ = image_->rect();
        std::fill(shown_.begin(), shown_.end(), ShownColumn{});
        markers_.clear();
        dirty_.clear();
        whole_ = true;
        cleared_ = true;
        Blank();
    }

    void Draw(int i, Integer value, Role role, QRgb) override { Show(i, {value, role}); }
    void Redraw(int i, Integer value, Role role, QRgb) override { Show(i, {value, role}); }
    void Erase(int i) override { Show(i, {0, ShownColumn::Cleared}); }

    QRect End() override
    {
        if (!image_)
            return QRect();
        if (whole_) {
            if (!cleared_) {
                image_->fill(c_.role[0]);
                Blank();
            }
            Paint(1, g_.N);
            touched_ = image_->rect();
        } else {
            // Places close together are painted in one run.
            std::sort(dirty_.begin(), dirty_.end());
            for (std::size_t k = 0; k < dirty_.size();) {
                auto [first, last] = dirty_[k];
                for (++k; k < dirty_.size() && dirty_[k].first <= last + 1; ++k)
                    last = std::max(last, dirty_[k].second);
                Paint(first, last);
            }
        }
        dirty_.clear();
        whole_ = false;
        cleared_ = false;
        return std::exchange(touched_, QRect());
    }

protected:
    // The element's place changed shape: geometry, surface or colours.
    virtual void Layout() = 0;
    // Paints the places of elements first..last (1..N) from what they show.
    virtual void Paint(int first, int last) = 0;
    // The elements whose places a marker at i reaches (its own and, where
    // places are too thin to see, its neighbours').
    virtual int Reach() const { return 0; }
    // The whole surface has just been filled with a background colour.
    virtual void Blank() {}

    const ShownColumn& Shown(int i) const { return shown_[static_cast<std::size_t>(i)]; }
    QRgb RoleColor(ShownColumn::Role role) const { return c_.role[std::size_t{1} + role]; }
    void Touch(const QRect& rect) { touched_ = touched_.united(rect); }
    void PaintAllAtEnd() { whole_ = true; dirty_.clear(); }

    QImage* image_ = nullptr;
    QSize size_;
    PlotGeometry g_;
    PlotColors c_;
    std::vector<int> markers_; // the elements shown in a marker colour, in index order

private:
    void Show(int i, ShownColumn next)
    {
        // Index 0, where the markers rest, has no place in the picture.
        if (i < 1 || i > g_.N)
            return;
        if (next.role == ShownColumn::Cleared)
            next.value = 0;
        ShownColumn& now = shown_[static_cast<std::size_t>(i)];
        if (now == next)
            return;
        const bool wasMarker = IsMarker(now.role), isMarker = IsMarker(next.role);
        now = next;
        if (wasMarker != isMarker) {
            const auto at = std::lower_bound(markers_.begin(), markers_.end(), i);
            if (isMarker)
                markers_.insert(at, i);
            else
                markers_.erase(at);
        }
        if (whole_)
            return;
        const int reach = wasMarker || isMarker ? Reach() : 0;
        dirty_.emplace_back(std::max(1, i - reach), std::min(g_.N, i + reach));
    }

    std::vector<ShownColumn> shown_; // 0..N
    std::vector<std::pair<int, int>> dirty_;
    QRect touched_;
    bool whole_ = true;
    bool cleared_ = false;
};

// ------------------------------------------------------------------ columns

// Dots and rainbow: each element in the bars' column of the pen width. A
// device column shows the marker over it (the highest index, if markers
// meet), else what the elements over it show.
class ColumnPainter : public ElementPainter {
protected:
    void Layout() override
    {
        const int W = size_.width();
        left_.assign(static_cast<std::size_t>(g_.N) + 1, 0);
        right_.assign(static_cast<std::size_t>(g_.N) + 1, 0);
        lo_.assign(static_cast<std::size_t>(std::max(0, W)), 1);
        hi_.assign(static_cast<std::size_t>(std::max(0, W)), 0);
        if (!g_.Scaled())
            return;
        for (int i = 1; i <= g_.N; ++i) {
            auto [l, r] = PenColumns(g_.metrics, static_cast<float>(i) / g_.XScale);
            left_[static_cast<std::size_t>(i)] = std::clamp(l, 0, W);
            right_[static_cast<std::size_t>(i)] = std::clamp(r, 0, W);
        }
        // The columns' left and right edges both grow with the index, so the
        // elements over a device column are a run lo..hi.
        int first = 1, last = 0;
        for (int c = 0; c < W; ++c) {
            while (first <= g_.N && right_[static_cast<std::size_t>(first)] <= c)
                ++first;
            while (last < g_.N && left_[static_cast<std::size_t>(last) + 1] <= c)
                ++last;
            lo_[static_cast<std::size_t>(c)] = first;
            hi_[static_cast<std::size_t>(c)] = last;
        }
    }

    void Paint(int first, int last) override
    {
        const int l = left_[static_cast<std::size_t>(first)], r = right_[static_cast<std::size_t>(last)];
        if (l >= r)
            return;
        // One detach per run of columns, then plain pointer steps.
        bits_ = reinterpret_cast<QRgb*>(image_->bits());
        stride_ = image_->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
        PaintColumns(l, r);
        Touch(QRect(l, 0, r - l, size_.height()));
    }

    virtual void PaintColumns(int l, int r) = 0;

    // The marker over device column c, 0 for none.
    int MarkerOver(int c) const
    {
        for (auto it = markers_.rbegin(); it != markers_.rend(); ++it)
            if (left_[static_cast<std::size_t>(*it)] <= c && c < right_[static_cast<std::size_t>(*it)])
                return *it;
        return 0;
    }
    // The top of value v's bar, in scale units, as the bars place it.
    double Top(Integer v) const
    {
        const float H = static_cast<float>(g_.scaleHeight);
        return H - static_cast<float>(v) / g_.YScale;
    }
    QRgb* Row(int y) const { return bits_ + y * stride_; }

    std::vector<int> left_, right_; // device columns of each element, cut to the surface
    std::vector<int> lo_, hi_;      // the elements over each device column

private:
    QRgb* bits_ = nullptr;
    qsizetype stride_ = 0;
};

// Bars coloured by value, red (low) through violet (the height); markers in
// their colours. Each device column shows one bar, as a whole redraw of the
// bars would leave it: the last element over it that shows something.
class RainbowPainter final : public ColumnPainter {
protected:
    void Layout() override
    {
        ColumnPainter::Layout();
        hues_.resize(static_cast<std::size_t>(std::max(1, g_.height)) + 1);
        for (int v = 0; v <= std::max(1, g_.height); ++v)
            hues_[static_cast<std::size_t>(v)] = ValueHue(v, g_.height, 0.75);
    }

    void Blank() override { painted_.assign(static_cast<std::size_t>(size_.width()), Painted{}); }

    void PaintColumns(int l, int r) override
    {
        const int H = size_.height();
        const QRgb back = c_.role[0];
        if (std::ssize(painted_) != size_.width())
            Blank();
        for (int c = l; c < r; ++c) {
            int owner = MarkerOver(c);
            for (int i = hi_[static_cast<std::size_t>(c)]; !owner && i >= lo_[static_cast<std::size_t>(c)]; --i)
                if (Shown(i).role != ShownColumn::Cleared)
                    owner = i;
            // The bar's rows as the bars place them; one of zero length
            // leaves nothing.
            Painted next;
            if (owner) {
                const ShownColumn& s = Shown(owner);
                std::tie(next.top, next.bottom) = SpanRows(g_.metrics, g_.scaleHeight, Top(s.value));
                next.top = std::clamp(next.top, 0, H);
                next.bottom = std::clamp(next.bottom, next.top, H);
                next.rgb = s.role == ShownColumn::Fore ? Hue(s.value) : RoleColor(s.role);
            }
            if (next.top == next.bottom)
                next = Painted{};
            // Only the rows that change are written: a step costs what the
            // bars' own erase and redraw cost.
            Painted& now = painted_[static_cast<std::size_t>(c)];
            if (next == now)
                continue;
            if (now.top == now.bottom || next.top == next.bottom || now.rgb != next.rgb) {
                FillRows(c, now.top, now.bottom, back);
                FillRows(c, next.top, next.bottom, next.rgb);
            } else {
                FillRows(c, std::min(now.top, next.top), std::max(now.top, next.top), now.top < next.top ? back : next.rgb);
                FillRows(c, std::min(now.bottom, next.bottom), std::max(now.bottom, next.bottom),
                         now.bottom > next.bottom ? back : next.rgb);
            }
            now = next;
        }
    }

private:
    QRgb Hue(Integer v) const { return hues_[static_cast<std::size_t>(std::clamp<int>(v, 0, static_cast<int>(hues_.size()) - 1))]; }

    void FillRows(int c, int top, int bottom, QRgb rgb)
    {
        for (int y = top; y < bottom; ++y)
            Row(y)[c] = rgb;
    }

    // What a device column shows: its bar's rows and colour.
    struct Painted {
        int top = 0, bottom = 0;
        QRgb rgb = 0;
        bool operator==(const Painted&) const = default;
    };
    std::vector<QRgb> hues_;
    std::vector<Painted> painted_;
};

// A dot of the pen width per element at the height of its value, in the
// foreground colour; markers' dots in their colours over the others.
class DotsPainter final : public ColumnPainter {
protected:
    void Layout() override
    {
        ColumnPainter::Layout();
        cap_ = 3;
        for (std::size_t c = 0; c < lo_.size(); ++c)
            cap_ = std::max(cap_, hi_[c] - lo_[c] + 1 + 3);
        side_ = std::max(1, static_cast<int>(std::lround(g_.metrics.pen * g_.metrics.dpr)));
    }

    void Blank() override
    {
        count_.assign(lo_.size(), 0);
        painted_.assign(lo_.size() * static_cast<std::size_t>(cap_), Dot{});
    }

    void PaintColumns(int l, int r) override
    {
        if (count_.size() != lo_.size())
            Blank();
        std::vector<Dot> next;
        for (int c = l; c < r; ++c) {
            next.clear();
            for (int i = lo_[static_cast<std::size_t>(c)]; i <= hi_[static_cast<std::size_t>(c)]; ++i)
                if (Shown(i).role == ShownColumn::Fore)
                    next.push_back({DotTop(Shown(i).value), c_.role[1]});
            for (int m : markers_)
                if (left_[static_cast<std::size_t>(m)] <= c && c < right_[static_cast<std::size_t>(m)]
                    && std::ssize(next) < cap_)
                    next.push_back({DotTop(Shown(m).value), RoleColor(Shown(m).role)});
            // Only the dots that change are written: the old ones erased,
            // the new ones drawn in order, markers last.
            Dot* now = &painted_[static_cast<std::size_t>(c) * static_cast<std::size_t>(cap_)];
            int& count = count_[static_cast<std::size_t>(c)];
            if (count == std::ssize(next) && std::equal(next.begin(), next.end(), now))
                continue;
            for (int k = 0; k < count; ++k)
                FillRows(c, now[k].top, c_.role[0]);
            for (const Dot& dot : next)
                FillRows(c, dot.top, dot.rgb);
            std::copy(next.begin(), next.end(), now);
            count = static_cast<int>(next.size());
        }
    }

private:
    struct Dot {
        int top = -1; // -1: none
        QRgb rgb = 0;
        bool operator==(const Dot&) const = default;
    };

    // The dot is centred on the bar's top, kept whole inside the surface.
    int DotTop(Integer value) const
    {
        const double centre = Top(value) * g_.metrics.devPerUnitY;
        if (!std::isfinite(centre))
            return -1;
        return std::clamp(static_cast<int>(std::lround(std::clamp(centre, -1e6, 1e6) - side_ / 2.0)), 0,
                          std::max(0, size_.height() - side_));
    }
    void FillRows(int c, int top, QRgb rgb)
    {
        if (top < 0)
            return;
        for (int y = top; y < std::min(size_.height(), top + side_); ++y)
            Row(y)[c] = rgb;
    }

    int cap_ = 3;  // dots a device column can hold
    int side_ = 1; // the dot's side in device pixels
    std::vector<int> count_;
    std::vector<Dot> painted_; // each column's dots, cap_ a column
};

// ------------------------------------------------------------------ discs

// The disc styles: element i owns the wedge of the disc from angle (i-1)/N to
// i/N of a turn, clockwise from the top; what it shows there is a band of
// radii. A marker shows in its colour over its neighbours' wedges too when
// one wedge would be thinner than the pen at the rim.
class CirclePainter final : public ElementPainter {
public:
    explicit CirclePainter(PlotStyle style) : style_(style) {}

    void NewData(const std::vector<Integer>& values) override
    {
        sorted_.assign(values.begin() + std::min<std::ptrdiff_t>(1, std::ssize(values)), values.end());
        std::sort(sorted_.begin(), sorted_.end());
        // Every element's home moves with the data: all is painted anew.
        PaintAllAtEnd();
    }

protected:
    void Layout() override
    {
        const int W = size_.width(), H = size_.height(), N = std::max(0, g_.N);
        const double cx = W / 2.0, cy = H / 2.0;
        radius_ = std::max(0.0, std::min(W, H) / 2.0 - 1);
        start_.assign(static_cast<std::size_t>(N) + 2, 0);
        pixels_.clear();
        rho_.clear();
        bounds_.assign(static_cast<std::size_t>(N) + 1, QRect());
        std::vector<int> owner;
        // Only the square around the disc can hold any wedge's pixels.
        const int x0 = std::max(0, static_cast<int>(cx - radius_) - 1), x1 = std::min(W, static_cast<int>(cx + radius_) + 2);
        const int y0 = std::max(0, static_cast<int>(cy - radius_) - 1), y1 = std::min(H, static_cast<int>(cy + radius_) + 2);
        owner.reserve(static_cast<std::size_t>(std::max(0, x1 - x0)) * static_cast<std::size_t>(std::max(0, y1 - y0)));
        const double turn = 2 * std::numbers::pi;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                int o = 0;
                if (N > 0 && std::hypot(dx, dy) <= radius_) {
                    double a = std::atan2(dx, -dy);
                    if (a < 0)
                        a += turn;
                    o = std::min(N, static_cast<int>(a / turn * N)) + 1;
                    ++start_[static_cast<std::size_t>(o) + 1];
                }
                owner.push_back(o);
            }
        for (int i = 1; i <= N + 1 && i < std::ssize(start_); ++i)
            start_[static_cast<std::size_t>(i)] += start_[static_cast<std::size_t>(i) - 1];
        pixels_.resize(start_.back());
        rho_.resize(start_.back());
        std::vector<int> next(start_.begin(), start_.end() - 1);
        const int stride = static_cast<int>(image_->bytesPerLine() / sizeof(QRgb));
        for (int y = y0, p = 0; y < y1; ++y)
            for (int x = x0; x < x1; ++x, ++p) {
                const int o = owner[static_cast<std::size_t>(p)];
                if (!o)
                    continue;
                const int k = next[static_cast<std::size_t>(o)]++;
                pixels_[static_cast<std::size_t>(k)] = y * stride + x;
                rho_[static_cast<std::size_t>(k)] = static_cast<float>(std::hypot(x + 0.5 - cx, y + 0.5 - cy));
                bounds_[static_cast<std::size_t>(o)] = bounds_[static_cast<std::size_t>(o)].united(QRect(x, y, 1, 1));
            }
        // A marker reaches as many neighbours as make its wedge as wide as
        // the pen at the rim.
        const double pen = g_.metrics.pen * g_.metrics.dpr;
        const double arc = N > 0 ? turn * radius_ / N : 1;
        reach_ = arc > 0 ? std::clamp(static_cast<int>(std::ceil((pen / arc - 1) / 2)), 0, std::max(0, N / 8)) : 0;
        // The disparity circle's band: twice the pen, thicker on a big disc.
        band_ = static_cast<float>(std::max({1.0, 2 * pen, radius_ / 30}));
        hues_.resize(static_cast<std::size_t>(std::max(1, g_.height)) + 1);
        const double wheel = 1.0 - 1.0 / std::max(1, g_.height);
        for (int v = 0; v <= std::max(1, g_.height); ++v)
            hues_[static_cast<std::size_t>(v)] = ValueHue(v, g_.height, wheel);
    }

    int Reach() const override { return reach_; }

    void Paint(int first, int last) override
    {
        QRgb* bits = reinterpret_cast<QRgb*>(image_->bits());
        const QRgb back = c_.role[0];
        for (int o = first; o <= last; ++o) {
            // What may show in this wedge, first match wins: its own marker,
            // the markers that reach it (the higher index first), itself.
            Band bands[5];
            int count = 0;
            const ShownColumn& own = Shown(o);
            if (IsMarker(own.role))
                bands[count++] = BandOf(o, own);
            for (auto it = markers_.rbegin(); it != markers_.rend() && count < 4; ++it)
                if (*it != o && std::abs(*it - o) <= reach_)
                    bands[count++] = BandOf(*it, Shown(*it));
            if (own.role == ShownColumn::Fore)
                bands[count++] = BandOf(o, own);
            const std::size_t end = start_[static_cast<std::size_t>(o) + 1];
            for (std::size_t k = start_[static_cast<std::size_t>(o)]; k < end; ++k) {
                const float rho = rho_[k];
                QRgb rgb = back;
                for (int b = 0; b < count; ++b)
                    if (bands[b].inner < rho && rho <= bands[b].outer) {
                        rgb = bands[b].rgb;
                        break;
                    }
                bits[pixels_[k]] = rgb;
            }
            Touch(bounds_[static_cast<std::size_t>(o)]);
        }
    }

private:
    struct Band {
        float inner = 0, outer = 0; // the radii shown: inner < rho <= outer
        QRgb rgb = 0;
    };

    Band BandOf(int i, const ShownColumn& s) const
    {
        const bool marker = IsMarker(s.role);
        const QRgb hue = hues_[static_cast<std::size_t>(std::clamp<int>(s.value, 0, static_cast<int>(hues_.size()) - 1))];
        const float R = static_cast<float>(radius_);
        switch (style_) {
        case PlotStyle::Spiral: {
            // Value as the distance from the centre: the wedge filled out to it.
            const float reach = R * std::clamp(static_cast<float>(s.value) / std::max(1, g_.height), 0.0f, 1.0f);
            return {-1, reach, marker ? RoleColor(s.role) : c_.role[1]};
        }
        case PlotStyle::DisparityCircle: {
            // The further from home, the nearer the centre; home is the rim.
            const float outer = R * (1 - static_cast<float>(Distance(i, s.value)) / std::max(1, g_.N));
            return {outer - band_, outer, marker ? RoleColor(s.role) : hue};
        }
        default:
            return {-1, R + 1, marker ? RoleColor(s.role) : hue};
        }
    }

    // How far index i is from the places value v takes in the sorted data.
    int Distance(int i, Integer v) const
    {
        if (sorted_.empty())
            return 0;
        const int first = static_cast<int>(std::lower_bound(sorted_.begin(), sorted_.end(), v) - sorted_.begin()) + 1;
        const int last = std::max(first, static_cast<int>(std::upper_bound(sorted_.begin(), sorted_.end(), v) - sorted_.begin()));
        return i < first ? first - i : i > last ? i - last : 0;
    }

    PlotStyle style_;
    double radius_ = 0;
    int reach_ = 0;
    float band_ = 1;
    std::vector<std::size_t> start_; // each wedge's pixels: start_[i] .. start_[i + 1]
    std::vector<int> pixels_;        // offsets into the image
    std::vector<float> rho_;         // their distances from the centre
    std::vector<QRect> bounds_;
    std::vector<QRgb> hues_;
    std::vector<Integer> sorted_;
};

} // namespace

std::unique_ptr<PlotPainter> MakeDotsPainter()
{
    return std::make_unique<DotsPainter>();
}

std::unique_ptr<PlotPainter> MakeRainbowPainter()
{
    return std::make_unique<RainbowPainter>();
}

std::unique_ptr<PlotPainter> MakeCirclePainter(PlotStyle style)
{
    return std::make_unique<CirclePainter>(style);
}
