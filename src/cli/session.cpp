#include "cli/session.h"

#include <new>

#include "cli/exit_codes.h"
#include "shell/startup.h"
#include "templates/invalid_template_message.h"
#include "templates/template.h"
#include "templates/template_library.h"

Session::Session() {
    startEngine();
}

Session::~Session() {
    delete ownFile_;
    stopEngine();
}

std::string invalidTemplateMessage(const Template& templ) {
    char text[kInvalidTemplateMessageSize];
    formatInvalidTemplateMessage(templ, text);
    return text;
}

static const Template* findByName(const std::string& name) {
    for (const std::string& wanted : {name, name + ".tmpl"}) {
        for (int32_t i = 0; i < templateLibrary.count; ++i) {
            if (wanted == templateLibrary.templates[i]->name) return templateLibrary.templates[i];
        }
    }
    return nullptr;
}

const Template* Session::chooseTemplate(const Options& options, int* exitCode, std::string* error) {
    Template* chosen = nullptr;
    // A template file of its own may use structures of the library too.
    templateLibrary.scan(options.templatesDir.c_str(), true);
    if (!options.templateFile.empty()) {
        ownFile_ = new (std::nothrow) Template;
        if (!ownFile_ || ownFile_->load(options.templateFile.c_str()) != 0) {
            *exitCode = kExitTemplateUnreadable;
            *error = "cannot read the template file " + options.templateFile + ".";
            return nullptr;
        }
        chosen = ownFile_;
    } else if (!options.templateName.empty()) {
        chosen = const_cast<Template*>(findByName(options.templateName));
        if (!chosen) {
            *exitCode = kExitTemplateUnreadable;
            *error = "no template named " + options.templateName + " in " + options.templatesDir + ".";
            return nullptr;
        }
    } else {
        *exitCode = kExitUsage;
        *error = "choose a template with -t NAME or -T FILE.tmpl.";
        return nullptr;
    }
    if (chosen->resolve() < 0) {
        *exitCode = kExitTemplateInvalid;
        *error = invalidTemplateMessage(*chosen);
        return nullptr;
    }
    return chosen;
}
