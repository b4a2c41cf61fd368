#include "core/variant.h"

namespace netprobe {

std::int64_t Variant::AsInt64() const {
    switch (type()) {
        case Type::Byte:
            return std::get<std::uint8_t>(value_);
        case Type::Integer:
            return std::get<std::int32_t>(value_);
        case Type::Int64:
            return std::get<std::int64_t>(value_);
        default:
            return 0;
    }
}

}  // namespace netprobe
