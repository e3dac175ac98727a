#include "engine/RoutineCode.h"

#include "engine/Routines.h"

#include <array>

namespace {

using K = CodeVariable::Kind;
constexpr bool W = true;  // a line that writes the data
constexpr bool R = false; // one that only reads

std::array<RoutineCode, kRoutineCount> MakeListings()
{
    std::array<RoutineCode, kRoutineCount> c;
    c[0] = {{{"for i = 1 to W", R},
             {"  m = i", R},
             {"  for j = i + 1 to W", R},
             {"    if a[j] < a[m] then m = j", R},
             {"  swap a[i], a[m]", W}},
            {{"i", K::Index}, {"j", K::Index}, {"m", K::Index}}};
    c[1] = {{{"for i = 1 to W - 1", R},
             {"  for j = W down to i + 1", R},
             {"    if a[j - 1] > a[j] then swap a[j - 1], a[j]", W}},
            {{"i", K::Index}, {"j", K::Index}}};
    c[2] = {{{"for i = 2 to W", R},
             {"  j = i - 1", R},
             {"  while a[j + 1] < a[j] and j >= 1", R},
             {"    swap a[j], a[j + 1]", W},
             {"    j = j - 1", R}},
            {{"i", K::Index}, {"j", K::Index}}};
    c[3] = {{{"for i = 2 to W", R},
             {"  key = a[i]", R},
             {"  pos = last place in a[1..i - 1] below key (binary search)", R},
             {"  for j = i down to pos + 2", R},
             {"    a[j] = a[j - 1]", W},
             {"  a[j] = key", W}},
            {{"i", K::Index}, {"key", K::Value}, {"pos", K::Index}, {"j", K::Index}}};
    c[4] = {{{"mergesort(first, last): if first < last", R},
             {"  mid = (first + last) / 2", R},
             {"  mergesort(first, mid); mergesort(mid + 1, last)", R},
             {"  merge(first, mid, last)", R},
             {"merge: i = first, j = mid + 1, k = 1", R},
             {"  while i <= mid and j <= last", R},
             {"    if a[i] < a[j] then b[k] = a[i]; i = i + 1", W},
             {"    else b[k] = a[j]; j = j + 1", W},
             {"  copy what is left of a[i..mid] or a[j..last] to b", W},
             {"  for k = first to last: a[k] = b[k - first + 1]", W}},
            {{"first", K::Index}, {"mid", K::Index}, {"last", K::Index}, {"i", K::Index}, {"j", K::Index}, {"k", K::Index}}};
    c[5] = {{{"heap size = W; for i = W / 2 down to 1: heapify(i)", R},
             {"for i = W down to 2", R},
             {"  swap a[1], a[i]", W},
             {"  heap size = heap size - 1; heapify(1)", R},
             {"heapify(n): l = 2n, r = 2n + 1", R},
             {"  m = the largest of a[n], a[l], a[r] within the heap", R},
             {"  if m <> n then swap a[n], a[m]; heapify(m)", W}},
            {{"i", K::Index}, {"heap size", K::Index}, {"n", K::Index}, {"m", K::Index}}};
    const std::vector<CodeLine> quick{{"quicksort(lo, hi): if lo < hi", R},
                                      {"  p = partition(lo, hi); quicksort(lo, p); quicksort(p + 1, hi)", R},
                                      {"partition(lo, hi): pivot = a[lo], i = lo - 1, j = hi + 1", R},
                                      {"  repeat j = j - 1 until a[j] <= pivot", R},
                                      {"  repeat i = i + 1 until a[i] >= pivot", R},
                                      {"  if i >= j then return j", R},
                                      {"  swap a[i], a[j]; repeat from the scans", W}};
    const std::vector<CodeVariable> quickVars{
        {"lo", K::Index}, {"hi", K::Index}, {"pivot", K::Value}, {"i", K::Index}, {"j", K::Index}};
    c[6] = {quick, quickVars};
    c[7] = {quick, quickVars};
    c[7].lines[1].text = "  p = randompartition(lo, hi); quicksort(lo, p); quicksort(p + 1, hi)";
    c[7].lines.push_back({"randompartition(lo, hi): r = random in lo..hi; swap a[lo], a[r]; partition(lo, hi)", W});
    c[7].variables.push_back({"r", K::Index});
    c[8] = {{{"quicksort(lo, hi): if lo < hi", R},
             {"  p = partition(lo, hi); quicksort(lo, p); quicksort(p + 1, hi)", R},
             {"partition(lo, hi): pivot = a[hi], i = lo - 1", R},
             {"  for j = lo to hi", R},
             {"    if a[j] <= pivot then i = i + 1; swap a[i], a[j]", W},
             {"  return i if i < hi, else i - 1", R}},
            {{"lo", K::Index}, {"hi", K::Index}, {"pivot", K::Value}, {"i", K::Index}, {"j", K::Index}}};
    c[9] = {{{"stooge(i, j): if a[i] > a[j] then swap a[i], a[j]", W},
             {"  if i + 1 < j then t = (j - i + 1) / 3", R},
             {"    stooge(i, j - t); stooge(i + t, j); stooge(i, j - t)", R}},
            {{"i", K::Index}, {"j", K::Index}, {"t", K::Other}}};
    c[10] = {{{"count = 0 for every value from the smallest to the largest", R},
              {"for i = 1 to W: count[a[i]] += 1; clear column i", R},
              {"for v = smallest + 1 to largest: count[v] += count[v - 1]", R},
              {"for i = W down to 1: p = count[a[i]]; b[p] = a[i]; count[a[i]] -= 1", W},
              {"for i = 1 to W: a[i] = b[i]", W}},
             {{"i", K::Index}, {"p", K::Index}}};
    c[11] = {{{"pass(d): count = 0 for every digit 0..9", R},
              {"  for i = 1 to W: count[digit d of a[i]] += 1; clear column i", R},
              {"  for g = 1 to 9: count[g] += count[g - 1]", R},
              {"  for i = W down to 1: p = count[digit]; b[p] = a[i]; count[digit] -= 1", W},
              {"  for i = 1 to W: a[i] = b[i]", W},
              {"for d = 1, 10, 100, ... (three places at least): pass(d)", R}},
             {{"i", K::Index}, {"p", K::Index}, {"d", K::Other}}};
    c[12] = {{{RoutineTable[12].notice, R}}, {}};
    c[13] = {{{"lo = 1, hi = W", R},
              {"while lo < hi", R},
              {"  for j = lo to hi - 1: if a[j] > a[j + 1] then swap a[j], a[j + 1]", W},
              {"  if nothing was swapped then stop; hi = hi - 1", R},
              {"  for j = hi - 1 down to lo: if a[j] > a[j + 1] then swap a[j], a[j + 1]", W},
              {"  if nothing was swapped then stop; lo = lo + 1", R}},
             {{"lo", K::Index}, {"hi", K::Index}, {"j", K::Index}}};
    c[14] = {{{"repeat", R},
              {"  for i = 1, 3, 5, ... below W: if a[i] > a[i + 1] then swap a[i], a[i + 1]", W},
              {"  for i = 2, 4, 6, ... below W: if a[i] > a[i + 1] then swap a[i], a[i + 1]", W},
              {"until nothing was swapped", R}},
             {{"i", K::Index}}};
    c[15] = {{{"i = 2", R},
              {"while i <= W", R},
              {"  if i = 1 then i = 2", R},
              {"  else if a[i - 1] > a[i] then swap a[i - 1], a[i]; i = i - 1", W},
              {"  else i = i + 1", R}},
             {{"i", K::Index}}};
    c[16] = {{{"gap = W", R},
              {"repeat gap = gap * 10 / 13 (at least 1)", R},
              {"  for i = 1 to W - gap: if a[i] > a[i + gap] then swap a[i], a[i + gap]", W},
              {"until gap = 1 and nothing was swapped", R}},
             {{"gap", K::Other}, {"i", K::Index}}};
    c[17] = {{{"for gap = ..., 301, 132, 57, 23, 10, 4, 1 (those below W)", R},
              {"  for i = gap + 1 to W", R},
              {"    for j = i down to gap + 1 step gap", R},
              {"      if a[j - gap] <= a[j] then next i", R},
              {"      swap a[j - gap], a[j]", W}},
             {{"gap", K::Other}, {"i", K::Index}, {"j", K::Index}}};
    c[18] = {{{"for start = 1 to W - 1", R},
              {"  item = a[start]", R},
              {"  pos = start + the count of a[i] < item for i = start + 1 to W", R},
              {"  if pos = start then next start", R},
              {"  while a[pos] = item: pos = pos + 1", R},
              {"  swap item, a[pos]", W},
              {"  count pos again for the new item until pos = start", R},
              {"  a[start] = item", W}},
             {{"start", K::Index}, {"pos", K::Index}, {"i", K::Index}, {"item", K::Value}}};
    c[19] = {{{"for i = 1 to W: a[i] joins the last two heaps as their root, or starts a heap", R},
              {"  if it will become a child then sift(i) else trinkle(i)", R},
              {"for i = W down to 2: the last root stays; its two children become heaps; semitrinkle each", R},
              {"sift(root, order): while order >= 2: child = the larger child", R},
              {"  if a[root] >= a[child] then return", R},
              {"  swap a[root], a[child]; root = child", W},
              {"trinkle(root): while the root before is greater than root and its children", R},
              {"  swap a[before], a[root]; root = before", W},
              {"  sift(root, order)", R},
              {"semitrinkle(root): if a[before] > a[root] then swap them; trinkle(before)", W}},
             {{"i", K::Index}, {"root", K::Index}, {"other", K::Index}, {"order", K::Other}}};
    c[20] = {{{"for size = W down to 2", R},
              {"  m = 1", R},
              {"  for j = 2 to size: if a[j] >= a[m] then m = j", R},
              {"  if m = size then next size", R},
              {"  flip(m): swap a[i], a[k + 1 - i] for i = 1 to k / 2, k = m", W},
              {"  flip(size): the same with k = size", W}},
             {{"size", K::Index}, {"m", K::Index}, {"j", K::Index}, {"k", K::Index}, {"i", K::Index}}};
    c[21] = {{{"for width = 1, 2, 4, ... below W", R},
              {"  for first = 1 step 2 * width: merge(first, first + width - 1, min(first + 2 * width - 1, W))", R},
              {"merge: b[1..] = a[first..mid]; i = 1, j = mid + 1, dest = first", W},
              {"  while i <= mid - first + 1 and j <= last", R},
              {"    if b[i] <= a[j] then a[dest] = b[i]; i = i + 1", W},
              {"    else a[dest] = a[j]; j = j + 1", W},
              {"  copy what is left of b to a[dest..]", W}},
             {{"width", K::Other}, {"first", K::Index}, {"mid", K::Index}, {"last", K::Index}, {"j", K::Index}, {"dest", K::Index}}};
    c[22] = {{{"minrun = 32 or less, from W", R},
              {"for lo = 1 to W: len = the run at lo; a descending run is reversed", W},
              {"  if len < minrun then binary-insert the next values until len = minrun", W},
              {"  push the run (lo, len); merge runs while their lengths break the rules", R},
              {"merge the runs left, right to left", R},
              {"merge(run1, run2): gallop past what is already in place", R},
              {"  copy the shorter run to b", W},
              {"  one by one: a[dest] = the smaller head", W},
              {"  after minGallop wins in a row: gallop, moving whole stretches", W},
              {"  copy what is left of b", W}},
             {{"lo", K::Index}, {"len", K::Other}, {"base1", K::Index}, {"len1", K::Other}, {"len2", K::Other}, {"dest", K::Index}}};
    c[23] = {{{"dualpivot(lo, hi): if lo < hi", R},
              {"  if a[lo] > a[hi] then swap a[lo], a[hi]", W},
              {"  p = a[lo], q = a[hi], l = lo + 1, g = hi - 1", R},
              {"  for k = l to g", R},
              {"    if a[k] < p then swap a[k], a[l]; l = l + 1", W},
              {"    else if a[k] > q: while k < g and a[g] > q: g = g - 1", R},
              {"      swap a[k], a[g]; g = g - 1", W},
              {"      if a[k] < p then swap a[k], a[l]; l = l + 1", W},
              {"  l = l - 1, g = g + 1; swap a[lo], a[l]; swap a[hi], a[g]", W},
              {"  dualpivot(lo, l - 1); if p < q then dualpivot(l + 1, g - 1); dualpivot(g + 1, hi)", R}},
             {{"lo", K::Index}, {"hi", K::Index}, {"p", K::Value}, {"q", K::Value}, {"l", K::Index}, {"k", K::Index}, {"g", K::Index}}};
    c[24] = {{{"threeway(lo, hi): if lo < hi", R},
              {"  v = a[lo], lt = lo, gt = hi, i = lo + 1", R},
              {"  while i <= gt", R},
              {"    if a[i] < v then swap a[lt], a[i]; lt = lt + 1; i = i + 1", W},
              {"    else if a[i] > v then swap a[i], a[gt]; gt = gt - 1", W},
              {"    else i = i + 1", R},
              {"  threeway(lo, lt - 1); threeway(gt + 1, hi)", R}},
             {{"lo", K::Index}, {"hi", K::Index}, {"v", K::Value}, {"lt", K::Index}, {"i", K::Index}, {"gt", K::Index}}};
    c[25] = {{{"introsort(lo, hi, depth): while hi - lo + 1 > 16", R},
              {"  if depth = 0 then heapsort(lo, hi); return", R},
              {"  depth = depth - 1; p = partition(lo, hi)", R},
              {"  introsort(p + 1, hi, depth); hi = p", R},
              {"insertionsort(lo, hi)", R},
              {"partition: put a[lo], a[mid], a[hi] in order", W},
              {"  pivot = a[mid], i = lo - 1, j = hi + 1", R},
              {"  repeat i = i + 1 until a[i] >= pivot; repeat j = j - 1 until a[j] <= pivot", R},
              {"  if i >= j then return j; swap a[i], a[j]", W},
              {"heapsort: for h = n / 2 down to 1: siftdown(h)", R},
              {"  for end = n down to 2: swap a[lo], a[lo + end - 1]; siftdown(1)", W},
              {"siftdown(h): c = the larger child; if a[c] > a[h] then swap a[h], a[c]; h = c", W},
              {"insertionsort: for i = lo + 1 to hi: for j = i down to lo + 1", R},
              {"  if a[j - 1] > a[j] then swap a[j - 1], a[j] else next i", W}},
             {{"lo", K::Index}, {"hi", K::Index}, {"depth", K::Other}, {"i", K::Index}, {"j", K::Index}}};
    c[26] = {{{"msd(lo, hi, shift): if lo < hi", R},
              {"  count the values of each digit (bits shift and shift + 1)", R},
              {"  next[b] = the start of bucket b, for b = 0..3", R},
              {"  for b = 0 to 3: while next[b] < the end of bucket b", R},
              {"    d = the digit of a[next[b]]; if d = b then next[b] += 1", R},
              {"    else swap a[next[b]], a[next[d]]; next[d] += 1", W},
              {"  for each bucket: msd(its start, its end, shift - 2)", R}},
             {{"lo", K::Index}, {"hi", K::Index}, {"shift", K::Other}, {"b", K::Other}, {"next[b]", K::Index}, {"next[d]", K::Index}}};
    c[27] = {{{"bitonic(lo, n, up): if n > 1", R},
              {"  m = n / 2; bitonic(lo, m, not up); bitonic(lo + m, n - m, up)", R},
              {"  merge(lo, n, up)", R},
              {"merge(lo, n, up): m = the greatest power of two below n", R},
              {"  for i = lo to lo + n - m - 1: if a[i], a[i + m] are out of order (up or down) then swap", W},
              {"  merge(lo, m, up); merge(lo + m, n - m, up)", R}},
             {{"lo", K::Index}, {"n", K::Other}, {"up", K::Other}, {"i", K::Index}, {"i + m", K::Index}}};
    c[28] = {{{"for p = 1, 2, 4, ... below W", R},
              {"  for k = p, p / 2, ..., 1", R},
              {"    for j = k mod p step 2k, i = 0 to k - 1", R},
              {"      if i + j, i + j + k in one block of 2p: if a[i + j + 1] > a[i + j + k + 1] then swap", W}},
             {{"p", K::Other}, {"k", K::Other}, {"x", K::Index}, {"y", K::Index}}};
    c[29] = {{{"while not (a[i] <= a[i + 1] for i = 1 to W - 1)", R},
              {"  shuffle: for i = W down to 2", R},
              {"    r = random in 1..i; swap a[i], a[r]", W}},
             {{"i", K::Index}, {"r", K::Index}}};
    return c;
}

} // namespace

const RoutineCode& CodeOf(int type)
{
    static const std::array<RoutineCode, kRoutineCount> listings = MakeListings();
    static const RoutineCode none;
    return type >= 0 && type < kRoutineCount ? listings[static_cast<std::size_t>(type)] : none;
}
