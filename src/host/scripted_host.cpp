#include "host/scripted_host.h"

#include "host/errors.h"

namespace dn {

void playForm(EntryForm& form, const FormScript& script) {
    form.open();
    if (script.inspect) script.inspect(form);
    for (const auto& [tag, value] : script.sets) {
        if (form.closed()) break;
        const FormField* f = form.field(tag);
        if (f && (f->hidden || f->protectedField))
            throw InputError("Das Feld " + std::to_string(tag) + " \"" + f->label +
                             "\" ist in diesem Zustand des Dialogs nicht eingebbar.");
        form.enterField(tag);
        form.setValue(tag, value);
        form.leaveField(tag);
    }
    for (int tag : script.presses) {
        if (form.closed()) break;
        form.press(tag);
    }
    if (!form.closed()) form.press(form.defaultButton);
    // A dialog that refuses its default button is left by cancelling.
    if (!form.closed()) form.press(kCancel);
}

bool ScriptedHost::janein(const std::string& text) {
    questions.push_back(text);
    if (!answers.empty()) {
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    if (defaultAnswer) return *defaultAnswer;
    throw UnansweredQuestion("Keine Antwort auf die Frage: " + text);
}

void ScriptedHost::SetInfo(const std::string& text) {
    panelInfo.push_back(text);
    step();
}

void ScriptedHost::ResetEscape() {
    ++escapeResets;
    escaped_ = false;
    steps_ = 0;
    escapeAfterSteps = -1;
    if (!escapeAgainAfterSteps.empty()) {
        escapeAfterSteps = escapeAgainAfterSteps.front();
        escapeAgainAfterSteps.pop_front();
    }
}

void ScriptedHost::step() {
    ++steps_;
    if (escapeAfterSteps >= 0 && steps_ > escapeAfterSteps) escaped_ = true;
}

bool ScriptedHost::open_drucker() {
    if (!printerAvailable) return false;
    ++printJobs;
    return true;
}

void ScriptedHost::druckeln(const std::string& line) {
    printed.push_back(pending_ + line);
    pending_.clear();
}

void ScriptedHost::close_drucker() {
    if (!pending_.empty()) druckeln("");
}

std::vector<std::string> ScriptedHost::chooseFiles(const FileRequest& request) {
    fileRequests.push_back(request);
    if (files.empty()) return {};
    auto f = files.front();
    files.pop_front();
    return f;
}

std::optional<std::string> ScriptedHost::chooseDirectory(const std::string&, const std::string&,
                                                         const std::string&) {
    if (directories.empty()) return std::nullopt;
    auto d = directories.front();
    directories.pop_front();
    return d;
}

ListResult ScriptedHost::chooseFromList(const ListRequest& request) {
    if (lists.empty()) return ListResult{false, request.selected, 0, request.marked};
    auto f = lists.front();
    lists.pop_front();
    return f(request);
}

void ScriptedHost::runForm(EntryForm& form) {
    formsShown.push_back(form.formClass());
    FormScript script;
    const bool forAnyDialog =
        !forms.empty() && forms.front().formClass.empty() && !form.sideQuestion;
    if (forAnyDialog || (!forms.empty() && forms.front().formClass == form.formClass())) {
        script = forms.front();
        forms.pop_front();
    }
    if (script.drive) {
        script.drive(form);
        if (!form.closed()) form.press(kCancel);
        return;
    }
    playForm(form, script);
}

bool ScriptedHost::saidSomething(const std::string& part) const {
    for (const auto& m : messages)
        if (m.find(part) != std::string::npos) return true;
    for (const auto& q : questions)
        if (q.find(part) != std::string::npos) return true;
    return false;
}

bool ScriptedHost::printedSomething(const std::string& part) const {
    for (const auto& p : printed)
        if (p.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace dn
