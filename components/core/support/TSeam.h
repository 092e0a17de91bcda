#pragma once

#include <functional>
#include <utility>

// A place where the program asks the world outside it (a dialog, another process, the
// system's printers) and where a test or a headless run can answer instead. The program
// calls Answer(): empty means "ask the real thing". A test answers through an Override,
// which holds for exactly its own lifetime and puts back what was there before, so no test
// can leave its answer behind for the next one. Overrides nest (the inner one ends first); an
// empty one makes the real thing answer again while it lives.
//
// Each seam is its own type: TSeam<struct TSomeSeamTag, Signature>.
template<typename Tag, typename Signature>
class TSeam
{
public:
    using Function = std::function<Signature>;

    // The answer of the innermost living Override; empty without one.
    static const Function& Answer() { return Slot(); }

    class Override
    {
    public:
        explicit Override(Function answer)
            : m_previous(std::exchange(Slot(), std::move(answer)))
        {}
        ~Override() { Slot() = std::move(m_previous); }
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        Function m_previous;
    };

private:
    static Function& Slot()
    {
        static Function answer;
        return answer;
    }
};
