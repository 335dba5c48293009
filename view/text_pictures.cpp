#include "view/text_pictures.h"

#include <tuple>

bool TextPictureKey::operator<(const TextPictureKey& other) const {
    const auto tie = [](const TextPictureKey& k) {
        return std::tie(k.text, k.style.family, k.style.size, k.style.bold, k.style.color.red, k.style.color.green,
                        k.style.color.blue, k.style.shadow.red, k.style.shadow.green, k.style.shadow.blue,
                        k.style.shadowHeight, k.width, k.height, k.alignment);
    };
    return tie(*this) < tie(other);
}

const TextPicture* TextPictures::Find(const TextPictureKey& key) {
    const auto found = byKey_.find(key);
    if (found == byKey_.end()) return nullptr;
    byUse_.splice(byUse_.begin(), byUse_, found->second);
    return &found->second->second;
}

const TextPicture& TextPictures::Add(const TextPictureKey& key, TextPicture picture) {
    ++drawn_;
    const auto known = byKey_.find(key);
    if (known != byKey_.end()) {
        byUse_.splice(byUse_.begin(), byUse_, known->second);
        return known->second->second = std::move(picture);
    }
    if (byKey_.size() >= capacity_) {
        byKey_.erase(byUse_.back().first);
        byUse_.pop_back();
    }
    byUse_.emplace_front(key, std::move(picture));
    byKey_.emplace(key, byUse_.begin());
    return byUse_.front().second;
}

void TextPictures::KeepEarlier(const TextPictureKey& key, TextPicture picture) {
    if (byKey_.size() >= capacity_ || byKey_.count(key) > 0) return;
    byUse_.emplace_back(key, std::move(picture));
    byKey_.emplace(key, std::prev(byUse_.end()));
}
