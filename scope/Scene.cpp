#include "Scene.h"

namespace scope {

Scene SceneMaker::make(const Timbre& timbre, const Views& views) const {
    Scene scene;
    scene.timbre = timbre;
    scene.harmonics = views.harmonics;
    if (views.round) { // the game's wave stands in for any target meanwhile
        scene.aim = views.round->hidden ? Scene::Aim::HiddenWave : Scene::Aim::HeardWave;
        scene.target = views.round->hidden ? &*views.round->hidden : nullptr;
        scene.status = views.round->status;
    } else if (views.target) {
        scene.aim = Scene::Aim::Target;
        scene.target = views.aim ? &*views.aim : nullptr;
    }
    if (scene.target != nullptr) {
        if (!meter_) {
            meter_.emplace();
        }
        scene.fit = meter_->measure(timbre, *scene.target);
    }
    scene.drawing = views.drawing ? &*views.drawing : nullptr;
    scene.phasesSetAside = views.phasesSetAside;
    return scene;
}

} // namespace scope
