#include "support/PanelImageWalker.h"

namespace {

// [read command][data format][data position].
void ReadWithItsReply(ImageCursor& in, WalkedRecord& r)
{
    in.Counted(r, "read");
    in.U8(r, "read format");
    in.U8(r, "read data");
}

void Value(ImageCursor& in, WalkedRecord& r, std::string name, bool wide)
{
    in.Take(r, std::move(name), wide ? 4 : 2);
}

} // namespace

void WalkKeyAction(ImageCursor& in, WalkedRecord& r, unsigned code, bool wide, bool functionKey)
{
    switch (code) {
    case 0:
        in.U8(r, "descriptor");
        in.Counted(r, "write");
        return;
    case 1:
        in.Counted(r, "read");
        in.U8(r, "bit");
        in.U8(r, "reply byte");
        in.Counted(r, "write off");
        in.Counted(r, "write on");
        return;
    case 2:
        in.U16(r, "target screen");
        return;
    case 3:
        in.Counted(r, "press");
        in.Counted(r, "release");
        return;
    case 4:
        ReadWithItsReply(in, r);
        in.U8(r, "bit");
        in.Counted(r, "write");
        in.U8(r, "write data");
        in.U8(r, "on");
        return;
    case 5:
    case 6:
        ReadWithItsReply(in, r);
        in.U8(r, "bit");
        in.Counted(r, "first write");
        in.U8(r, "first write data");
        in.Counted(r, "second write");
        in.U8(r, "second write data");
        return;
    case 7:
        if (!functionKey)
            return;
        switch (in.U8(r, "kind")) {
        case 0:
            in.U8(r, "address");
            in.U8(r, "bit");
            in.U8(r, "on");
            return;
        case 1:
            in.U8(r, "address");
            Value(in, r, "set value", in.U8(r, "register count - 1") != 0);
            return;
        default:
            in.U8(r, "address");
            in.U8(r, "bit");
            return;
        }
    case 8:
        in.U8(r, "count code");
        Value(in, r, "limit", wide);
        Value(in, r, "step", wide);
        ReadWithItsReply(in, r);
        in.Counted(r, "write");
        in.U8(r, "write format");
        in.U8(r, "write data");
        return;
    default:
        in.Expect(false, "action code " + std::to_string(code));
    }
}
