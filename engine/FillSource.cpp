#include "engine/FillSource.h"

#include "engine/Module1.h"
#include "platform/Convert.h"
#include "platform/Runtime.h"

#include <algorithm>

void FillSource()
{
    const int W = SortSet[2];
    const int H = SortSet[1];
    const double S = W / 10.0; // block length of the stepped orders
    SourceData.assign(static_cast<std::size_t>(std::max(W, 0)) + 1, 0);

    // In the stepped orders the threshold moves before the element's value is
    // computed, so the element whose counter reaches T already gets the next
    // block's threshold.
    Integer T = 0;
    switch (SortSet[0]) {
    case 0: // Ascending
        for (int i = 1; i <= W; ++i)
            SourceData[i] = CInt(i);
        break;
    case 1: // Descending
        for (int i = 1; i <= W; ++i)
            SourceData[i] = CInt(W - i + 1);
        break;
    case 2: // Almost Asc.
        T = CInt(S);
        for (int i = 1; i <= W; ++i) {
            if (i == T)
                T = CInt(S + T);
            SourceData[i] = CInt(Int(S * Rnd() + T - S));
        }
        break;
    case 3: // Almost Des.
        T = CInt(S);
        for (int i = W; i >= 1; --i) {
            const int k = W - i + 1;
            if (k == T)
                T = CInt(S + T);
            SourceData[i] = CInt(Int(S * Rnd() + T - S));
        }
        break;
    case 4: // Escalator Asc.
        T = CInt(S);
        for (int i = 1; i <= W; ++i) {
            if (i == T)
                T = CInt(S + T);
            SourceData[i] = T;
        }
        break;
    case 5: // Escalator Des.
        T = CInt(W);
        for (int j = W; j >= 1; --j) {
            if (j == T)
                T = CInt(T - S);
            SourceData[W - j + 1] = CInt(S + T);
        }
        break;
    case 6: // Random
        for (int i = 1; i <= W; ++i)
            SourceData[i] = CInt(Int(H * Rnd() + 1));
        break;
    case 7: // Random Asc.
        T = CInt(S);
        for (int i = 1; i <= W; ++i) {
            if (i == T)
                T = CInt(S + T);
            SourceData[i] = CInt(Int(T * Rnd() + 1));
        }
        break;
    case 8: // Random Des.
        T = CInt(S);
        for (int i = W; i >= 1; --i) {
            const int k = W - i + 1;
            if (k == T)
                T = CInt(S + T);
            SourceData[i] = CInt(Int(T * Rnd() + 1));
        }
        break;
    default:
        break;
    }
    SourceData[0] = 0;
}
