// Scripting.Dictionary: entries in insertion order, found through an
// open-addressing table of entry indexes, so adding, finding and removing
// are O(1) on average. Removed entries leave a hole that is squeezed out once
// holes make up half the entries.
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"
#include "vbscript/Vm.h"
#include "vbscript/objects/Factories.h"

namespace vbs {
namespace {

enum Member { mAdd, mExists, mItem, mItems, mKey, mKeys, mRemove, mRemoveAll, mCount, mCompareMode };
const char16_t* const kNames[] = {u"add",    u"exists",    u"item",  u"items", u"key",
                                  u"keys",   u"remove",    u"removeall", u"count", u"comparemode"};

constexpr std::int32_t kEmptySlot = -1;
constexpr std::int32_t kDeletedSlot = -2;

// Keys of these subtypes compare by numeric value, so Integer 1, Long 1 and
// Double 1.0 are one key.
bool isNumberKey(Tag t)
{
    return t == Tag::Byte || t == Tag::Integer || t == Tag::Long || t == Tag::Single || t == Tag::Double ||
           t == Tag::Currency;
}

char16_t foldCase(char16_t c) { return lowerChar(c); }

std::size_t mix(std::size_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

class Dictionary : public NativeObject {
public:
    // Tracked so that reset can break cycles of dictionaries holding each other.
    explicit Dictionary(Vm& vm) : vm_(vm) { vm_.track(this); }
    ~Dictionary() override { vm_.untrack(this); }
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;
    std::u16string typeName() const override { return u"Dictionary"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        bool assigning = kind == Invoke::Let || kind == Invoke::Set;
        if (id == kDefaultMember) id = mItem;
        if (assigning && id != mItem && id != mKey && id != mCompareMode) raise(err::NoSuchAction);
        switch (id) {
        case mAdd: {
            arity(args, 2, 2);
            const Value& key = checkedKey(args[0]);
            std::size_t h = hashOf(key);
            if (find(key, h) >= 0) raise(err::KeyExists);
            insert(key, args[1], h);
            return;
        }
        case mExists: {
            arity(args, 1, 1);
            const Value& key = checkedKey(args[0]);
            result = Value::boolean(find(key, hashOf(key)) >= 0);
            return;
        }
        case mItem: {
            arity(args, assigning ? 2 : 1, assigning ? 2 : 1);
            const Value& key = checkedKey(args[0]);
            std::size_t h = hashOf(key);
            std::int32_t at = find(key, h);
            if (assigning) {
                Value v = kind == Invoke::Set ? args[1] : resolveDefault(args[1]);
                if (at >= 0) entries_[static_cast<std::size_t>(at)].item = std::move(v);
                else insert(key, v, h);
                return;
            }
            // Reading a missing key adds it, holding Empty.
            if (at < 0) at = insert(key, Value(), h);
            result = entries_[static_cast<std::size_t>(at)].item;
            return;
        }
        case mItems:
        case mKeys: {
            arity(args, 0, 0);
            ArrayObj* arr = ArrayObj::make({static_cast<std::int32_t>(live_) - 1});
            result = Value::array(arr);
            std::size_t n = 0;
            for (const Entry& e : entries_)
                if (e.live) arr->items[n++] = id == mKeys ? e.key : e.item;
            return;
        }
        case mKey: {
            if (!assigning) raise(err::NoSuchMember);  // write-only
            arity(args, 2, 2);
            const Value& oldKey = checkedKey(args[0]);
            std::int32_t at = find(oldKey, hashOf(oldKey));
            if (at < 0) raise(err::ElementNotFound);
            const Value& newKey = checkedKey(args[1]);
            std::size_t h = hashOf(newKey);
            std::int32_t other = find(newKey, h);
            if (other == at) {  // same key (perhaps other case): only the spelling changes
                entries_[static_cast<std::size_t>(at)].key = newKey;
                return;
            }
            if (other >= 0) raise(err::KeyExists);
            unlink(at);
            Entry& e = entries_[static_cast<std::size_t>(at)];
            e.key = newKey;
            e.hash = h;
            link(at);
            return;
        }
        case mRemove: {
            arity(args, 1, 1);
            const Value& key = checkedKey(args[0]);
            std::int32_t at = find(key, hashOf(key));
            if (at < 0) raise(err::ElementNotFound);
            remove(at);
            return;
        }
        case mRemoveAll:
            arity(args, 0, 0);
            clearAll();
            return;
        case mCount:
            arity(args, 0, 0);
            result = Value::lng(static_cast<std::int32_t>(live_));
            return;
        case mCompareMode: {
            if (!assigning) {
                arity(args, 0, 0);
                result = Value::lng(compareMode_);
                return;
            }
            arity(args, 1, 1);
            std::int32_t mode = toLong(args[0]);
            if (mode < 0 || live_ > 0) raise(err::InvalidCall);
            compareMode_ = mode;
            return;
        }
        default: raise(err::NoSuchMember);
        }
    }

    std::unique_ptr<Enumerator> enumerate() override
    {
        // A snapshot of the keys: the loop body may change the dictionary.
        class Each : public Enumerator {
        public:
            explicit Each(std::vector<Value> keys) : keys_(std::move(keys)) {}
            bool next(Value& out) override
            {
                if (i_ >= keys_.size()) return false;
                out = keys_[i_++];
                return true;
            }

        private:
            std::vector<Value> keys_;
            std::size_t i_ = 0;
        };
        std::vector<Value> keys;
        keys.reserve(live_);
        for (const Entry& e : entries_)
            if (e.live) keys.push_back(e.key);
        return std::make_unique<Each>(std::move(keys));
    }

    // Items may refer back to the dictionary; dropping them here lets a
    // cycle broken elsewhere finish cleanly.
    void lastReferenceGone() override { clearAll(); }
    void dropHeldValues() override { clearAll(); }

protected:
    std::span<const char16_t* const> memberNames() const override { return kNames; }

private:
    Vm& vm_;
    struct Entry {
        Value key;
        Value item;
        std::size_t hash = 0;
        bool live = true;
    };

    std::vector<Entry> entries_;
    std::vector<std::int32_t> slots_;  // power-of-two size; entry index, kEmptySlot or kDeletedSlot
    std::size_t live_ = 0;
    std::size_t used_ = 0;  // slots not empty (live or deleted)
    std::int32_t compareMode_ = 0;

    bool textMode() const { return compareMode_ != 0; }

    static const Value& checkedKey(const Value& key)
    {
        if (key.isArray()) raise(err::TypeMismatch);
        return key;
    }

    std::size_t hashOf(const Value& key) const
    {
        if (key.isString()) {
            std::u16string_view s = key.strView();
            std::size_t h = 1469598103934665603ULL;
            for (char16_t c : s) {
                h ^= textMode() ? foldCase(c) : c;
                h *= 1099511628211ULL;
            }
            return mix(h);
        }
        if (isNumberKey(key.tag)) {
            double d = toDouble(key);
            if (d == 0) d = 0;  // -0 and 0 are one key
            std::uint64_t bits;
            std::memcpy(&bits, &d, sizeof bits);
            return mix(bits ^ 0x9e3779b97f4a7c15ULL);
        }
        if (key.isObject()) return mix(reinterpret_cast<std::uintptr_t>(key.o) ^ 0x51ULL);
        std::uint64_t payload = 0;
        if (key.tag == Tag::Boolean) payload = key.b;
        else if (key.tag == Tag::Date) std::memcpy(&payload, &key.d, sizeof payload);
        else if (key.tag == Tag::Error) payload = static_cast<std::uint32_t>(key.err);
        return mix(payload * 31 + static_cast<std::uint64_t>(key.tag) + 7);
    }

    bool same(const Value& a, const Value& b) const
    {
        if (a.isString() || b.isString()) {
            if (!a.isString() || !b.isString()) return false;
            std::u16string_view x = a.strView(), y = b.strView();
            if (x.size() != y.size()) return false;
            if (!textMode()) return x == y;
            for (std::size_t i = 0; i < x.size(); ++i)
                if (x[i] != y[i] && foldCase(x[i]) != foldCase(y[i])) return false;
            return true;
        }
        if (isNumberKey(a.tag) || isNumberKey(b.tag))
            return isNumberKey(a.tag) && isNumberKey(b.tag) && toDouble(a) == toDouble(b);
        if (a.tag != b.tag) return false;
        switch (a.tag) {
        case Tag::Object: return a.o == b.o;
        case Tag::Boolean: return a.b == b.b;
        case Tag::Date: return a.d == b.d;
        case Tag::Error: return a.err == b.err;
        default: return true;  // Empty, Null
        }
    }

    std::int32_t find(const Value& key, std::size_t h) const
    {
        if (slots_.empty()) return -1;
        std::size_t mask = slots_.size() - 1;
        for (std::size_t i = h & mask;; i = (i + 1) & mask) {
            std::int32_t s = slots_[i];
            if (s == kEmptySlot) return -1;
            if (s >= 0) {
                const Entry& e = entries_[static_cast<std::size_t>(s)];
                if (e.hash == h && same(e.key, key)) return s;
            }
        }
    }

    // Puts an entry index into the first free slot of its probe sequence.
    void link(std::int32_t at)
    {
        std::size_t mask = slots_.size() - 1;
        for (std::size_t i = entries_[static_cast<std::size_t>(at)].hash & mask;; i = (i + 1) & mask) {
            if (slots_[i] < 0) {
                if (slots_[i] == kEmptySlot) ++used_;
                slots_[i] = at;
                return;
            }
        }
    }

    void unlink(std::int32_t at)
    {
        std::size_t mask = slots_.size() - 1;
        for (std::size_t i = entries_[static_cast<std::size_t>(at)].hash & mask;; i = (i + 1) & mask) {
            if (slots_[i] == at) {
                slots_[i] = kDeletedSlot;
                return;
            }
        }
    }

    // Rebuilds the slot table, dropping holes from the entry list when asked.
    void rebuild(bool squeeze)
    {
        if (squeeze) {
            std::size_t n = 0;
            for (std::size_t i = 0; i < entries_.size(); ++i)
                if (entries_[i].live) {
                    if (n != i) entries_[n] = std::move(entries_[i]);
                    ++n;
                }
            entries_.resize(n);
        }
        std::size_t size = 16;
        while (size < (live_ + 1) * 2) size *= 2;
        slots_.assign(size, kEmptySlot);
        used_ = 0;
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].live) link(static_cast<std::int32_t>(i));
    }

    std::int32_t insert(const Value& key, const Value& item, std::size_t h)
    {
        if (entries_.size() >= static_cast<std::size_t>(INT32_MAX)) raise(err::OutOfMemory);
        if ((used_ + 1) * 4 > slots_.size() * 3) rebuild(entries_.size() > live_ * 2);
        entries_.push_back(Entry{key, item, h, true});
        std::int32_t at = static_cast<std::int32_t>(entries_.size() - 1);
        link(at);
        ++live_;
        return at;
    }

    void remove(std::int32_t at)
    {
        unlink(at);
        Entry& e = entries_[static_cast<std::size_t>(at)];
        e.live = false;
        // Released after the entry is consistent: an item's Class_Terminate may look back in.
        Value gone = std::move(e.item), goneKey = std::move(e.key);
        --live_;
        if (live_ == 0) {
            entries_.clear();
            slots_.assign(slots_.size(), kEmptySlot);
            used_ = 0;
        } else if (entries_.size() > 64 && entries_.size() > live_ * 2) {
            rebuild(true);
        }
    }

    void clearAll()
    {
        std::vector<Entry> gone;
        gone.swap(entries_);
        slots_.clear();
        live_ = 0;
        used_ = 0;
    }
};

}  // namespace

Value makeDictionary(Vm& vm)
{
    return makeObject<Dictionary>(vm);
}

}  // namespace vbs
